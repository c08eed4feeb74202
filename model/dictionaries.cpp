// Loading slowniki.xml into the sl_ tables, and the dictionary gate.
#include "model/dm_main_tmpl.h"

#include "platform/hostenv/codepage.h"
#include "platform/hostenv/systemfolders.h"
#include "platform/ui/userinterface.h"
#include "platform/xmldom/declarationrewrite.h"
#include "platform/xmldom/xmldomerror.h"

#include <QDir>
#include <QFile>

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

// The dictionaries this application type loads, in loading order.
const char* const kLoadedCodes[] = {"NUTS", "PWD", "INT", "FPR", "RPR",
                                    "UPR",  "ZPU", "RPC", "WNS", "POD"};

QString codeForTitle(const QString& title) {
    for (const auto& t : kTitles)
        if (title == QString::fromUtf8(t.title)) return QLatin1String(t.code);
    return {};
}

// A decimal attribute; missing or not a number counts as 0.
int decimalAttribute(const XmlElement& e, const char* name) {
    bool ok = false;
    const int v = e.attribute(name).trimmed().toInt(&ok);
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

void TdmDataSets_t::DataModuleCreate() {
    ValidationWarning = false;
    DodajPolaKodow();
    BusyCursor cursor(ui_);
    BladSlownika = false;
    if (options_.dictionarySource) {
        takeDictionariesFrom(*options_.dictionarySource);
        Zmieniony = false;
        return;
    }
    try {
        loadDictionaryFile();
        CzytajIdentyfikacjeSlownika();
        for (const char* code : kLoadedCodes)
            WczytajSlownik(QLatin1String(code));
        for (int level = 1; level <= 4; ++level)
            dictionaryTable(QStringLiteral("NUTS"), level)->sortOn(QStringLiteral("NAZWA"));
    } catch (const std::exception&) {
        // A missing, unreadable or malformed dictionary is not reported here: the gate
        // fails afterwards and the export says so.
        BladSlownika = true;
    }
    Zmieniony = false;
}

void TdmDataSets_t::loadDictionaryFile() {
    dictionaryPath = KatalogSlownika() + QStringLiteral("/slowniki.xml");
    const QString codePage = HostEnv::systemCodePageName();
    if (options_.dictionaryBytes) {
        QList<QByteArray> lines;
        if (codePage != QLatin1String("windows-1250")) {
            lines = splitLines(*options_.dictionaryBytes);
            rewriteDeclaration(lines, codePage.toLatin1());
        }
        dictionaryDocument = XmlDocument::parseMemory(lines.isEmpty() ? *options_.dictionaryBytes
                                                                      : joinLines(lines));
        return;
    }
    if (codePage == QLatin1String("windows-1250")) {
        dictionaryDocument = XmlDocument::parseFile(dictionaryPath);
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
        dictionaryDocument = XmlDocument::parseFile(copy);
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

void TdmDataSets_t::CzytajIdentyfikacjeSlownika() {
    WersjaSlownika = DbidSlownika = SidSlownika = QString();
    WersjaSlownikaPliku = DbidSlownikaPliku = SidSlownikaPliku = QString();
    const XmlElement root = dictionaryDocument.root();
    if (root.isNull() || !root.nameIs("SLOWNIKI")) return;
    WersjaSlownika = WersjaSlownikaPliku = root.attribute("wersja");
    DbidSlownika = DbidSlownikaPliku = root.attribute("DBID");
    SidSlownika = SidSlownikaPliku = root.attribute("SID");
}

// The SLOWNIK of the code: the walk goes on past elements of the code whose level count
// is 0, so the last one seen is kept when none has levels.
XmlElement TdmDataSets_t::ZnajdzSlownik(const QString& code, int& levels) const {
    levels = 0;
    XmlElement found;
    const XmlElement root = dictionaryDocument.root();
    if (root.isNull() || !root.nameIs("SLOWNIKI")) return found;
    for (XmlElement s = root.firstChildElement("SLOWNIK"); !s.isNull() && levels == 0;
         s = s.nextSiblingElement()) {
        if (codeForTitle(s.attribute("nazwa")) != code) continue;
        found = s;
        levels = decimalAttribute(s, "poziomy");
    }
    return found;
}

void TdmDataSets_t::WczytajSlownik(const QString& code) {
    if (BladSlownika) return;
    int levels = 0;
    const XmlElement slownik = ZnajdzSlownik(code, levels);
    if (slownik.isNull()) return;
    // Only levels that have a POZIOM element can load anything, so the walk goes over the
    // elements, not over the level count: a hostile count (say 961041859) costs nothing.
    // The first element of each number counts; the levels load in ascending order.
    QMap<int, XmlElement> firstOfLevel;
    for (XmlElement poziom = slownik.firstChildElement("POZIOM"); !poziom.isNull();
         poziom = poziom.nextSiblingElement()) {
        if (!poziom.nameIs("POZIOM")) continue;
        const int level = decimalAttribute(poziom, "numer");
        if (level >= 1 && level <= levels && !firstOfLevel.contains(level))
            firstOfLevel.insert(level, poziom);
    }
    for (auto it = firstOfLevel.cbegin(); it != firstOfLevel.cend(); ++it)
        WczytajPoziom(it.value(), code, it.key());
}

// One level: the rows of the POZIOM element into the table "sl_" + code + level.
void TdmDataSets_t::WczytajPoziom(const XmlElement& poziom, const QString& code, int level) {
    DataSet* t = dictionaryTable(code, level);
    if (!t) return;
    t->disableControls();
    struct Enable {
        DataSet* t;
        ~Enable() { t->enableControls(); }
    } enable{t};
    // Rows repeat the same few attribute names; resolve each name once per level.
    QHash<QString, Field*> fieldsByAttribute;
    for (XmlElement row = poziom.firstChildElement("WIERSZ"); !row.isNull();
         row = row.nextSiblingElement()) {
        t->append();
        for (XmlElement a = row.firstChildElement("ATRYBUT"); !a.isNull();
             a = a.nextSiblingElement()) {
            const QString name = a.attribute("nazwa");
            Field*& f = fieldsByAttribute[name];
            if (!f) f = &t->field(name); // a missing field throws
            f->setAsString(a.text());
        }
        t->post();
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
