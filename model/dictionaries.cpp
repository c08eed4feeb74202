// Loading slowniki.xml into the sl_ tables, and the dictionary gate.
#include "model/dm_main_tmpl.h"

#include "platform/hostenv/codepage.h"
#include "platform/hostenv/systemfolders.h"
#include "platform/ui/userinterface.h"
#include "platform/xmldom/declarationrewrite.h"
#include "platform/xmldom/xmlstream.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {

// Dictionary titles (compared exactly) and the codes that name their tables.
struct DictionaryTitle {
    const char* title; // UTF-8
    const char* code;
};
const DictionaryTitle kTitles[] = {
    {"Jednostki geograficzne NUTS", "NUTS"},
    {"Poziomy wdrażania", "PWD"},
    {"Obszary interwencji", "INT"},
    {"Rodzaj formy prawnej", "FPR"},
    {"RODZAJ_PROJEKTU", "RPR"},
    {"PODMIOT_PROJEKTU", "POD"},
    {"UMIEJSCOWIENIE PROJEKTU", "UPR"},
    {"TRYB ZAM PUBL SL", "ZPU"},
    {"ROWNOSC PLCI", "RPC"},
    {"WPLYW NA SRODOWISKO", "WNS"},
    {"Obszary Int 2 Poziomy", "O2P"},
    {"Definicje wskaznikow", "WSK"},
    {"Kategorie wydatkow", "KWD"},
    {"Wsk_zastosowania_fst", "ZAS"},
    {"Kategorie W Poziomach", "KWP"},
    {"Schematy", "SCH"},
    {"RODZAJ_KONTRAKTU", "RKT"},
    {"POLITYKA_SPOL_INF", "INF"},
    {"WPLYW_NA_ZATRUDNIENIE", "ZAT"},
    {"WPLYW_NA_BHP", "BHP"},
};

// The dictionaries this application type loads.
const char* const kLoadedCodes[] = {"NUTS", "PWD", "INT", "FPR", "RPR",
                                    "UPR",  "ZPU", "RPC", "WNS", "POD"};

QString codeForTitle(const QString& title) {
    for (const auto& t : kTitles)
        if (title == QString::fromUtf8(t.title)) return QLatin1String(t.code);
    return {};
}

bool isLoaded(const QString& code) {
    for (const char* loaded : kLoadedCodes)
        if (code == QLatin1String(loaded)) return true;
    return false;
}

// A decimal attribute; missing or not a number counts as 0.
int decimalAttribute(const XmlStreamElement& e, const char* name) {
    bool ok = false;
    const int v = QString::fromUtf8(e.attribute(name)).trimmed().toInt(&ok);
    return ok ? v : 0;
}

// The error that ends the loading steps; the module records it as BladSlownika.
struct DictionaryLoadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace

// The host's folder: registry "bin", the shared memory, the current folder.
QString TdmDataSets_t::KatalogSlownika() const {
    QString dir = options_.folderSources ? HostEnv::hostFolder(*options_.folderSources)
                                         : HostEnv::hostFolder();
    while (dir.endsWith(QLatin1Char('\\')) || (dir.size() > 1 && dir.endsWith(QLatin1Char('/'))))
        dir.chop(1);
    return dir;
}

namespace {

// Reads slowniki.xml as the parser streams it, without a tree: the identity from the root
// SLOWNIKI; of each dictionary this type loads, the first SLOWNIK of its title whose
// level count is not 0; in it, the first POZIOM of each number from 1 to that count, whose
// WIERSZ rows become rows of the level's table, one ATRYBUT a field (its whole text).
class DictionaryReader : public XmlStreamHandler {
public:
    explicit DictionaryReader(TdmDataSets_t& dm) : dm_(dm) {}

    void startElement(const XmlStreamElement& e) override {
        ++depth_;
        switch (depth_) {
        case 1:
            if (e.nameIs("SLOWNIKI")) readIdentity(e);
            break;
        case 2:
            if (rootIsSlowniki_ && e.nameIs("SLOWNIK")) startDictionary(e);
            break;
        case 3:
            if (!code_.isEmpty() && e.nameIs("POZIOM")) startLevel(e);
            break;
        case 4:
            if (level_ && e.nameIs("WIERSZ")) {
                level_->append();
                inRow_ = true;
            }
            break;
        case 5:
            if (inRow_ && e.nameIs("ATRYBUT")) {
                attribute_ = &fieldOf(QString::fromUtf8(e.attribute("nazwa")));
                text_.clear();
            }
            break;
        }
    }

    void text(QByteArrayView utf8) override {
        if (attribute_) text_.append(utf8);
    }

    void endElement() override {
        switch (depth_) {
        case 2:
            code_.clear();
            break;
        case 3:
            level_ = nullptr;
            break;
        case 4:
            if (inRow_) level_->post();
            inRow_ = false;
            break;
        case 5:
            if (attribute_) attribute_->setAsString(QString::fromUtf8(text_));
            attribute_ = nullptr;
            break;
        }
        --depth_;
    }

private:
    void readIdentity(const XmlStreamElement& root) {
        rootIsSlowniki_ = true;
        dm_.WersjaSlownika = dm_.WersjaSlownikaPliku = QString::fromUtf8(root.attribute("wersja"));
        dm_.DbidSlownika = dm_.DbidSlownikaPliku = QString::fromUtf8(root.attribute("DBID"));
        dm_.SidSlownika = dm_.SidSlownikaPliku = QString::fromUtf8(root.attribute("SID"));
    }

    // A level count of 0 passes the title on to a later SLOWNIK; any other count takes it.
    void startDictionary(const XmlStreamElement& e) {
        const QString code = codeForTitle(QString::fromUtf8(e.attribute("nazwa")));
        if (code.isEmpty() || !isLoaded(code) || taken_.contains(code)) return;
        levels_ = decimalAttribute(e, "poziomy");
        if (levels_ == 0) return;
        taken_.insert(code);
        code_ = code;
        levelsSeen_.clear();
    }

    // Only levels that have a POZIOM element can load anything, so a hostile level count
    // (say 961041859) costs nothing.
    void startLevel(const XmlStreamElement& e) {
        const int number = decimalAttribute(e, "numer");
        if (number < 1 || number > levels_ || levelsSeen_.contains(number)) return;
        levelsSeen_.insert(number);
        level_ = dm_.dictionaryTable(code_, number);
        fieldsByAttribute_.clear();
    }

    // Rows repeat the same few attribute names; each is resolved once per level.
    Field& fieldOf(const QString& name) {
        Field*& f = fieldsByAttribute_[name];
        if (!f) f = &level_->field(name); // a missing field throws
        return *f;
    }

    TdmDataSets_t& dm_;
    int depth_ = 0;
    bool rootIsSlowniki_ = false;
    QSet<QString> taken_;
    QString code_; // the dictionary being read, empty outside one
    int levels_ = 0;
    QSet<int> levelsSeen_;
    DataSet* level_ = nullptr; // the table of the level being read
    QHash<QString, Field*> fieldsByAttribute_;
    bool inRow_ = false;
    Field* attribute_ = nullptr;
    QByteArray text_;
};

} // namespace

void TdmDataSets_t::DataModuleCreate() {
    ValidationWarning = false;
    DodajPolaKodow();
    BusyCursor cursor(ui_);
    BladSlownika = false;
    if (options_.dictionarySource)
        takeDictionariesFrom(*options_.dictionarySource);
    else
        WczytajSlowniki();
    Zmieniony = false;
}

void TdmDataSets_t::reloadDictionaries(const QByteArray& bytes) {
    options_.dictionaryBytes = &bytes;
    WczytajSlowniki();
    options_.dictionaryBytes = nullptr;
}

// A missing, unreadable or malformed dictionary is not reported here: the tables stay
// empty, and the gate fails afterwards and the export says so.
void TdmDataSets_t::WczytajSlowniki() {
    BladSlownika = false;
    std::vector<DataSet*> dictionaries;
    for (const auto& t : tables_)
        if (t->name().startsWith(QLatin1String("sl_"))) dictionaries.push_back(t.get());
    for (DataSet* t : dictionaries) {
        t->emptyTable();
        t->disableControls();
    }
    try {
        readDictionaryFile();
        for (int level = 1; level <= 4; ++level)
            dictionaryTable(QStringLiteral("NUTS"), level)->sortOn(QStringLiteral("NAZWA"));
    } catch (const std::exception&) {
        BladSlownika = true;
        WersjaSlownika = DbidSlownika = SidSlownika = QString();
        WersjaSlownikaPliku = DbidSlownikaPliku = SidSlownikaPliku = QString();
        for (DataSet* t : dictionaries)
            t->emptyTable();
    }
    for (DataSet* t : dictionaries)
        t->enableControls();
}

void TdmDataSets_t::readDictionaryFile() {
    dictionaryPath = KatalogSlownika() + QStringLiteral("/slowniki.xml");
    const QString codePage = HostEnv::systemCodePageName();
    DictionaryReader reader(*this);
    if (options_.dictionaryBytes) {
        QList<QByteArray> lines;
        if (codePage != QLatin1String("windows-1250")) {
            lines = splitLines(*options_.dictionaryBytes);
            rewriteDeclaration(lines, codePage.toLatin1());
        }
        streamXmlMemory(lines.isEmpty() ? *options_.dictionaryBytes : joinLines(lines), reader);
        return;
    }
    if (codePage == QLatin1String("windows-1250")) {
        streamXmlFile(dictionaryPath, reader);
        return;
    }
    // Another system code page: a copy that declares it is parsed instead.
    const QString copy = QDir(HostEnv::tempFolder()).filePath(QStringLiteral("slowniki.xml.tmp"));
    if (!rewriteDeclarationFile(dictionaryPath, copy, codePage)) {
        QFile::remove(copy);
        ui_.messageBox(QStringLiteral("Wystąpił błąd tworzenia pliku tymczasowego!"),
                       QStringLiteral("Zelgor"), MessageIcon::Error, MessageButtons::Ok);
        HostTerminationRequested = true;
        throw DictionaryLoadError("temporary copy");
    }
    try {
        streamXmlFile(copy, reader);
    } catch (...) {
        QFile::remove(copy);
        throw;
    }
    QFile::remove(copy);
}

// The identity, the error flag and the rows of every dictionary table of a module that
// has already read the file; the rows keep their order (the NUTS levels are sorted).
void TdmDataSets_t::takeDictionariesFrom(const TdmDataSets_t& source) {
    dictionaryPath = source.dictionaryPath;
    BladSlownika = source.BladSlownika;
    WersjaSlownika = WersjaSlownikaPliku = source.WersjaSlownika;
    DbidSlownika = DbidSlownikaPliku = source.DbidSlownika;
    SidSlownika = SidSlownikaPliku = source.SidSlownika;
    for (const auto& t : tables_) {
        if (!t->name().startsWith(QLatin1String("sl_"))) continue;
        if (const DataSet* from = source.findTable(t->name())) t->copyRowsFrom(*from);
    }
}

bool TdmDataSets_t::SprawdzSlownik() {
    const bool result = UstawProgram();
    replaceDictionaryFilter(
        QStringLiteral("sl_RPR1"),
        QStringLiteral("WARTOSC='RB' OR WARTOSC='S' OR WARTOSC='DS' OR WARTOSC='IN'"));
    replaceDictionaryFilter(QStringLiteral("sl_WNS1"),
                            QStringLiteral("WARTOSC='GPS2' OR WARTOSC='PPS2' OR WARTOSC='POS2'"));
    replaceDictionaryFilter(QStringLiteral("sl_RPC1"),
                            QStringLiteral("WARTOSC='A2' OR WARTOSC='B2' OR WARTOSC='C2'"));
    replaceDictionaryFilter(QStringLiteral("sl_UPR1"),
                            QStringLiteral("WARTOSC='OM' OR WARTOSC='OR' OR WARTOSC='OGN'"));
    return result;
}
