#include "file/application_file.h"
#include "file/recovery_copy.h"
#include "platform/hostenv/hostregistry.h"
#include "platform/xmldom/xmldocument.h"
#include "tests/model/module_fixture.h"
#include "tests/test_support.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using TestSupport::readAll;
using TestSupport::writeAll;

namespace {

const QString kTitle = QStringLiteral("Ala ma kota");
const QString kDamaged = QStringLiteral(
    "Uszkodzony plik Wniosku. Nie można kontynuować.\r\n\r\n"
    "Wniosek Edytowany poza Zelgorem lub błąd systemowy podczas zapisu pliku.\r\n\r\n"
    "Zostanie utworzony nowy pusty wniosek.");

HostSettings settingsFor(const QString& applicationsFolder,
                         const QString& versionText = QStringLiteral("1.0.0.0")) {
    HostSettings s;
    s.HostFolder = QStringLiteral(TOPAZ_EXAMPLES);
    s.ApplicationsFolder = applicationsFolder;
    s.moduleVersionText = versionText;
    s.moduleVersion = currentModuleVersion(versionText);
    return s;
}

// A module with its editor file half.
struct Editor {
    ModuleFixture fx;
    ApplicationFile file;
    // The editor is built after the dictionary gate, as the exports do.
    explicit Editor(const HostSettings& settings) : file(passGate(fx), fx.ui, settings) {}
    static TdmDataSets& passGate(ModuleFixture& fx) {
        if (!fx.dm->SprawdzSlownik()) throw std::runtime_error("dictionary gate failed");
        return *fx.dm;
    }
    DataSet& t(const char* name) const { return fx.t(name); }
    QString title() const { return fx.f("dsWniosek", "tytul_projektu").asString(); }
    void setTitle(const QString& title) {
        DataSet& w = t("dsWniosek");
        w.edit();
        w.field(QStringLiteral("tytul_projektu")).setValue(title);
        w.post();
    }
};

// Replaces one text of the file, which must occur in it.
bool replaceInFile(const QString& path, const QByteArray& from, const QByteArray& to) {
    QByteArray bytes = readAll(path);
    if (!bytes.contains(from)) return false;
    return writeAll(path, bytes.replace(from, to));
}

// Changes attributes of the file's INFO_DLL through the DOM.
void setInfoAttribute(const QString& path, const char* name, const QString& value) {
    XmlDocument doc = XmlDocument::parseFile(path);
    doc.root().firstChildElement("INFO_DLL").setAttribute(name, value);
    doc.saveFile(path, QStringLiteral("windows-1250"));
}

// Writes a new application with the title through the save-as action.
QString saveNewApplication(const QString& path, const HostSettings& settings,
                           const QString& title = kTitle) {
    Editor e(settings);
    e.setTitle(title);
    if (!e.file.saveAs(path)) return {};
    return e.fx.f("dsWniosek", "suma_kontrolna").asString();
}

// File permissions bind only an unprivileged user; as root the test acts as "nobody".
struct ActAsUnprivileged {
    bool switched = false;
    ActAsUnprivileged() {
        if (geteuid() == 0) switched = seteuid(65534) == 0;
    }
    ~ActAsUnprivileged() {
        if (switched) (void)seteuid(0);
    }
};

// Everything a read leaves behind: each table's filter, cursor, rows and locked fields,
// the module's flags, the messages and the checksum verdict.
QString readInto(TdmDataSets& dm, HeadlessUi& ui, const QString& path) {
    ApplicationFile file(dm, ui, settingsFor(QDir::tempPath()));
    file.Silent = true;
    const QByteArray bytes = readAll(path);
    file.OpenApplicationBytes(bytes);
    QString out =
        file.VerifyChecksum() ? QStringLiteral("suma zgodna\n") : QStringLiteral("suma błędna\n");
    out += ui.shownTexts().join(u'|') + u'\n';
    out += QStringLiteral("%1 %2 %3 %4 %5\n")
               .arg(dm.Zmieniony)
               .arg(dm.BladSlownika)
               .arg(dm.WersjaSlownikaPliku, dm.DbidSlownikaPliku, dm.SidSlownikaPliku);
    for (const auto& t : dm.tables()) {
        out += QStringLiteral("%1 [%2] %3 %4:")
                   .arg(t->name(), t->filter())
                   .arg(t->isFiltered())
                   .arg(t->recNo());
        for (const auto& f : t->fields())
            if (f->isReadOnly()) out += u' ' + f->name();
        out += u'\n';
        for (int r = 1; r <= t->recordCount(); ++r) {
            for (const auto& f : t->fields())
                out += t->valueAt(r, *f).toString() + u';';
            out += u'\n';
        }
    }
    return out;
}

} // namespace

class TestApplicationFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir registryDir_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString& name) const { return dir_->filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(registryDir_.isValid());
        qputenv("ZELGR_REGISTRY", registryDir_.filePath(QStringLiteral("registry.ini")).toUtf8());
    }

    void init() {
        QFile::remove(registryDir_.filePath(QStringLiteral("registry.ini")));
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // ---------------------------------------------------------------- names and saving

    void defaultFileName_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty folder") << QStringList() << QStringList() << "wniosek001.xml";
        QTest::newRow("first taken")
            << QStringList{"wniosek001.xml"} << QStringList() << "wniosek002.xml";
        QTest::newRow("gap") << QStringList{"wniosek001.xml", "wniosek003.xml"} << QStringList()
                             << "wniosek002.xml";
        QTest::newRow("a folder is no file")
            << QStringList() << QStringList{"wniosek001.xml"} << "wniosek001.xml";
        QStringList upTo999;
        for (int n = 1; n <= 999; ++n)
            upTo999 << QStringLiteral("wniosek%1.xml").arg(n, 3, 10, QLatin1Char('0'));
        QTest::newRow("four digits from 1000") << upTo999 << QStringList() << "wniosek1000.xml";
    }

    void defaultFileName() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        QFETCH(QString, expected);
        for (const QString& f : files)
            QVERIFY(writeAll(path(f), "x"));
        for (const QString& f : folders)
            QVERIFY(QDir(dir_->path()).mkdir(f));
        Editor e(settingsFor(dir_->path()));
        QCOMPARE(e.file.DefaultFileName(), expected);
    }

    void saveAsAppendsExtension_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        auto row = [](const char* chosen, const char* written) {
            QTest::newRow(chosen) << chosen << written;
        };
        row("a", "a.xml");
        row("b.XML", "b.XML");
        row("c.Xml", "c.Xml");
        row("d.txt", "d.txt.xml");
        row("e.xml.bak", "e.xml.bak.xml");
    }

    void saveAsAppendsExtension() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        Editor e(settingsFor(dir_->path()));
        QVERIFY(e.file.saveAs(path(chosen)));
        QCOMPARE(e.file.FileName, path(written));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{written});
    }

    void cancelledSaveAsKeepsProposalWithoutWriting() {
        QVERIFY(writeAll(path(QStringLiteral("wniosek001.xml")), "x"));
        Editor e(settingsFor(dir_->path()));
        QStringList asked;
        std::optional<QString> answer;
        e.file.chooseSavePath = [&](const QString& folder, const QString& proposed) {
            asked << folder + QLatin1Char('|') + proposed;
            return answer;
        };
        QVERIFY(!e.file.save());
        QCOMPARE(e.file.FileName, QStringLiteral("wniosek002.xml"));
        // The bare proposal is never written without the dialog.
        QVERIFY(!e.file.save());
        QCOMPARE(asked, QStringList(2, dir_->path() + QStringLiteral("|wniosek002.xml")));
        QVERIFY(!QFile::exists(QStringLiteral("wniosek002.xml")));

        answer = path(QStringLiteral("wybrany"));
        QVERIFY(e.file.save());
        QVERIFY(QFile::exists(path(QStringLiteral("wybrany.xml"))));
    }

    void rememberFileLocation() {
        const QString sub = path(QStringLiteral("wnioski"));
        QVERIFY(QDir().mkpath(sub));
        Editor e(settingsFor(dir_->path()));
        QVERIFY(e.file.saveAs(sub + QStringLiteral("/pierwszy.xml")));
        const HostRegistry registry;
        QCOMPARE(registry.readString(QStringLiteral("ostatni")),
                 sub + QStringLiteral("/pierwszy.xml"));
        QCOMPARE(registry.readString(QStringLiteral("wnioski")), sub);
        QCOMPARE(e.file.ApplicationsFolder(), sub);
        QCOMPARE(e.file.DefaultFileName(), QStringLiteral("wniosek001.xml"));

        // A plain save to the same folder remembers the file again, the folder stays.
        QVERIFY(registry.writeString(QStringLiteral("wnioski"), QStringLiteral("/inny")));
        QVERIFY(e.file.save());
        QCOMPARE(registry.readString(QStringLiteral("wnioski")), QStringLiteral("/inny"));
    }

    void unwritableRegistryIsSilent() {
        // A registry file below a plain file can never be created.
        QVERIFY(writeAll(path(QStringLiteral("plik")), "x"));
        const QByteArray saved = qgetenv("ZELGR_REGISTRY");
        qputenv("ZELGR_REGISTRY", path(QStringLiteral("plik/registry.ini")).toUtf8());
        Editor e(settingsFor(dir_->path()));
        const bool written = e.file.saveAs(path(QStringLiteral("a.xml")));
        qputenv("ZELGR_REGISTRY", saved);
        QVERIFY(written);
        QVERIFY(e.fx.ui.shownTexts().isEmpty());
        QCOMPARE(e.file.ApplicationsFolder(), dir_->path());
    }

    void failedSaveKeepsPreviousFile() {
        const QString folder = path(QStringLiteral("tylko_odczyt"));
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + QStringLiteral("/a.xml");
        QVERIFY(writeAll(target, "poprzednia wersja"));
        QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner |
                                                        QFile::ExeOwner | QFile::ReadOther |
                                                        QFile::ExeOther));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther));

        Editor e(settingsFor(dir_->path()));
        e.setTitle(kTitle);
        QVERIFY(e.fx.dm->Zmieniony);
        bool saved = true;
        bool permissionsBind = true;
        {
            ActAsUnprivileged nobody;
            permissionsBind = geteuid() != 0;
            if (permissionsBind) saved = e.file.saveAs(target);
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!permissionsBind) QSKIP("running as root without a way to drop privileges");
        QVERIFY(!saved);
        QCOMPARE(readAll(target), QByteArray("poprzednia wersja"));
        QVERIFY(e.fx.dm->Zmieniony);
        const QList<UiCall> boxes = e.fx.ui.calls(UiCall::Kind::MessageBox);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, MessageIcon::Error);
        const QString prefix =
            QStringLiteral("Nie można zapisać pliku wniosku %1.\r\n\r\n").arg(target);
        QVERIFY2(boxes[0].text.startsWith(prefix) && boxes[0].text.size() > prefix.size(),
                 qPrintable(boxes[0].text));
        QVERIFY(HostRegistry().readString(QStringLiteral("ostatni")).isEmpty());
    }

    void writeRecordsVersions() {
        const QString first = path(QStringLiteral("nowy.xml"));
        {
            Editor e(settingsFor(dir_->path(), QStringLiteral("2.5.0.0")));
            e.setTitle(kTitle);
            QVERIFY(e.file.saveAs(first));
            QVERIFY(!e.fx.dm->Zmieniony);
            QCOMPARE(e.file.FirstVersion, QStringLiteral("2.5.0.0"));
        }
        const XmlDocument firstDoc = XmlDocument::parseFile(first);
        XmlElement info = firstDoc.root().firstChildElement("INFO_DLL");
        QCOMPARE(info.attribute("wersja"), QStringLiteral("2.5.0.0"));
        QCOMPARE(info.attribute("wersja_p"), QStringLiteral("2.5.0.0"));

        // A later version keeps the version that created the application.
        const QString second = path(QStringLiteral("drugi.xml"));
        Editor e(settingsFor(dir_->path(), QStringLiteral("3.0.0.0")));
        e.file.OpenApplicationFile(first);
        QVERIFY(e.file.saveAs(second));
        XmlDocument doc = XmlDocument::parseFile(second);
        info = doc.root().firstChildElement("INFO_DLL");
        QCOMPARE(info.attribute("wersja"), QStringLiteral("3.0.0.0"));
        QCOMPARE(info.attribute("wersja_p"), QStringLiteral("2.5.0.0"));
    }

    // ---------------------------------------------------------------- loading and checking

    void roundTripVerifies() {
        const QString file = path(QStringLiteral("a.xml"));
        const QString stored = saveNewApplication(file, settingsFor(dir_->path()));
        QCOMPARE(stored.size(), 19);

        Editor e(settingsFor(dir_->path()));
        e.file.OpenApplicationFile(file);
        QVERIFY(!e.file.LoadFailed);
        QCOMPARE(e.file.MessageList, QStringList());
        QCOMPARE(e.file.FileName, file);
        QCOMPARE(e.file.FileVersion, QStringLiteral("1.0.0.0"));
        QVERIFY(!e.fx.dm->Zmieniony);
        QVERIFY(!e.fx.dm->Wczytywanie);
        QCOMPARE(e.title(), kTitle);
        // The file's rows replace the rows the module made at creation.
        QCOMPARE(e.t("dsWniosek").recordCount(), 1);
        QCOMPARE(e.t("dsPolaSpec").recordCount(), 1);
        QCOMPARE(e.t("dsZrodlaFin").recordCount(), 12);
        QCOMPARE(e.t("dsProfilWyd").recordCount(), 12);
        QCOMPARE(e.fx.f("dsWniosek", "suma_kontrolna").asString(), stored);
        QVERIFY(e.file.VerifyChecksum());
        QCOMPARE(e.fx.f("dsWniosek", "suma_kontrolna").asString(), stored);
    }

    void fileRowsReplaceCreationRows_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("fromRecord"); // records from this one on are taken out of the file
        QTest::addColumn<int>("rowsAfterLoad");
        // A table the file does not name keeps the row the dictionary gate made.
        QTest::newRow("implementation path absent") << "dsPozWdr" << 1 << 1;
        // A finance tree the file names holds the file's rows only, also when they are fewer
        // than the twelve fixed rows.
        QTest::newRow("shorter finance tree") << "dsZrodlaFin" << 11 << 10;
    }

    void fileRowsReplaceCreationRows() {
        QFETCH(QString, table);
        QFETCH(int, fromRecord);
        QFETCH(int, rowsAfterLoad);
        const QString file = path(QStringLiteral("a.xml"));
        QVERIFY(!saveNewApplication(file, settingsFor(dir_->path())).isEmpty());
        // The values of the chosen records are redirected to a table the module lacks.
        XmlDocument doc = XmlDocument::parseFile(file);
        int redirected = 0;
        std::function<void(const XmlElement&)> walk = [&](const XmlElement& e) {
            for (XmlElement c : e.childElements()) {
                if (c.nameIs("ATRYBUT") && c.attribute("dsN") == table &&
                    c.attribute("nrW").toInt() >= fromRecord) {
                    c.setAttribute("dsN", QStringLiteral("dsNieMa"));
                    ++redirected;
                }
                walk(c);
            }
        };
        walk(doc.root());
        QVERIFY(redirected > 0);
        doc.saveFile(file, QStringLiteral("windows-1250"));

        Editor e(settingsFor(dir_->path()));
        const QVariant programme = e.fx.f("dsPozWdr", "PWD_ID1").value();
        QVERIFY(programme.isValid());
        e.file.OpenApplicationFile(file);
        QVERIFY(!e.file.LoadFailed);
        QCOMPARE(e.t(table.toLatin1().constData()).recordCount(), rowsAfterLoad);
        QCOMPARE(e.fx.f("dsPozWdr", "PWD_ID1").value(), programme);
        QCOMPARE(e.title(), kTitle);
    }

    void changedValueFailsSprawdzSume() {
        // The check reads the host settings as the exports do; the file is written with them.
        const HostSettings host = HostSettings::ReadHostSettings();
        const QString file = path(QStringLiteral("a.xml"));
        QVERIFY(!saveNewApplication(file, host).isEmpty());
        {
            ModuleFixture fx;
            QVERIFY(fx.dm->SprawdzSlownik());
            QCOMPARE(runSprawdzSume(*fx.dm, fx.ui, file, false), 1);
        }
        QVERIFY(replaceInFile(file, kTitle.toLatin1(), "Ala ma psa"));
        for (bool silent : {false, true}) {
            ModuleFixture fx;
            QVERIFY(fx.dm->SprawdzSlownik());
            QCOMPARE(runSprawdzSume(*fx.dm, fx.ui, file, silent), 0);
            QVERIFY(fx.ui.shownTexts().isEmpty());
        }
    }

    void otherModuleVersion_data() {
        QTest::addColumn<QString>("versionText");
        QTest::newRow("version resource") << "1.0.0.0";
        QTest::newRow("no version resource") << "<info not available>";
    }

    void otherModuleVersion() {
        QFETCH(QString, versionText);
        const QString file = path(QStringLiteral("stary.xml"));
        const QString stored =
            saveNewApplication(file, settingsFor(dir_->path(), QStringLiteral("0.9.1.0")));
        const QString foreign = QStringLiteral("0000-1111-2222-3333");
        QVERIFY(replaceInFile(file, stored.toLatin1(), foreign.toLatin1()));

        Editor e(settingsFor(dir_->path(), versionText));
        e.file.OpenApplicationFile(file);
        QCOMPARE(
            e.file.MessageList,
            QStringList{QStringLiteral("Wniosek został zapisany w innej wersji niż aktualna.\r\n"
                                       "Wniosek zapisano w wersji: 0.9.1.0\r\nAktualna wersja: ") +
                        versionText});
        QVERIFY(e.file.VerifyChecksum());
        QVERIFY(e.file.ChecksumTrusted());
        QCOMPARE(e.fx.f("dsWniosek", "suma_kontrolna").asString(), foreign);
        QVERIFY(!e.fx.dm->Zmieniony);

        // Saving upgrades the file: current version, checksum of its data.
        const QString upgraded = path(QStringLiteral("nowy.xml"));
        QVERIFY(e.file.saveAs(upgraded));
        Editor again(settingsFor(dir_->path()));
        again.file.OpenApplicationFile(upgraded);
        QCOMPARE(again.file.MessageList, QStringList());
        QVERIFY(again.file.VerifyChecksum());
        QVERIFY(!again.file.ChecksumTrusted());
    }

    void dictionaryMessage() {
        const QString file = path(QStringLiteral("a.xml"));
        QVERIFY(!saveNewApplication(file, settingsFor(dir_->path())).isEmpty());
        setInfoAttribute(file, "DBID_p", QStringLiteral("INNA-BAZA"));
        setInfoAttribute(file, "wersja_slownika_p", QStringLiteral("7"));

        Editor e(settingsFor(dir_->path()));
        const TdmDataSets& dm = *e.fx.dm;
        const QString sid = dm.SidSlownika;
        e.file.OpenApplicationFile(file);
        const QString expected =
            QStringLiteral("Wniosek został stworzony z inną wersją słownika niż aktualna.\r\n\r\n"
                           "Pierwsza wersja słownika: 7-INNA-BAZA-") +
            sid + QStringLiteral("\r\nAktualna wersja słownika: ") + dm.WersjaSlownika +
            QLatin1Char('-') + dm.DbidSlownika + QLatin1Char('-') + dm.SidSlownika;
        QCOMPARE(e.file.MessageList, QStringList{expected});
        QCOMPARE(dm.DbidSlownikaPliku, QStringLiteral("INNA-BAZA"));
        QCOMPARE(dm.WersjaSlownikaPliku, QStringLiteral("7"));
        QVERIFY(e.file.VerifyChecksum());
    }

    void silentLoadCollectsNoMessages() {
        const QString file = path(QStringLiteral("a.xml"));
        QVERIFY(!saveNewApplication(file, settingsFor(dir_->path(), QStringLiteral("0.1.0.0")))
                     .isEmpty());
        setInfoAttribute(file, "SID_p", QStringLiteral("inne"));
        for (bool silent : {false, true}) {
            Editor e(settingsFor(dir_->path()));
            e.file.Silent = silent;
            e.file.OpenApplicationFile(file);
            QCOMPARE(e.file.MessageList.size(), silent ? 0 : 2);
            QCOMPARE(e.title(), kTitle);
        }
    }

    // One module reads file after file (the fuzzing run does): put back to its snapshot,
    // it must read each file exactly as a newly built module does.
    void restoredModuleReadsAsNew_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("file");
        const QString apps = QStringLiteral(TOPAZ_TEST_DATA "/applications/");
        const QString xml = QStringLiteral(TOPAZ_TEST_DATA "/xml/");
        const QString sample = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");
        QTest::newRow("sample, then another") << sample << apps + QStringLiteral("complete.xml");
        QTest::newRow("another, then sample") << apps + QStringLiteral("no-finance.xml") << sample;
        QTest::newRow("sample, then damaged") << sample << xml + QStringLiteral("truncated.xml");
        QTest::newRow("entities, then sample")
            << xml + QStringLiteral("billion_laughs.xml") << sample;
        QTest::newRow("sample, then empty") << sample << xml + QStringLiteral("empty.xml");
    }
    void restoredModuleReadsAsNew() {
        QFETCH(QString, before);
        QFETCH(QString, file);
        ModuleFixture fresh;
        QVERIFY(fresh.dm->SprawdzSlownik());
        const QString expected = readInto(*fresh.dm, fresh.ui, file);

        ModuleFixture reused;
        QVERIFY(reused.dm->SprawdzSlownik());
        const DataModuleSnapshot built = reused.dm->snapshot();
        readInto(*reused.dm, reused.ui, before);
        reused.dm->restore(built);
        reused.ui.clearCalls();
        QCOMPARE(readInto(*reused.dm, reused.ui, file), expected);
    }

    void damagedFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("silent");
        const QByteArray truncated =
            "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<WNIOSEK><INFO_DLL wersja=\"1";
        QTest::newRow("truncated") << truncated << false;
        QTest::newRow("truncated, silent") << truncated << true;
        QTest::newRow("not XML") << QByteArray("Ala ma kota") << false;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("other root") << QByteArray("<?xml version=\"1.0\"?><SLOWNIKI/>") << false;
        // A record number too large to be real would make the reader append that many rows.
        QTest::newRow("record number too large")
            << QByteArray(
                   "<?xml version=\"1.0\"?><WNIOSEK><DANE><TABELA nazwa=\"PLO_WNIOSKI\"><WIERSZ>"
                   "<ATRYBUT nazwa=\"\" dsN=\"dsProdukty\" dsK=\"Produkt\" "
                   "nrW=\"100001\">x</ATRYBUT>"
                   "</WIERSZ></TABELA></DANE></WNIOSEK>")
            << false;
        // The main record is merged into every location row: a second one would be written
        // into each of them once more.
        QTest::newRow("second main record")
            << QByteArray(
                   "<?xml version=\"1.0\"?><WNIOSEK><DANE><TABELA nazwa=\"PLO_WNIOSKI\"><WIERSZ>"
                   "<ATRYBUT nazwa=\"\" dsN=\"dsWniosek\" dsK=\"tytul_projektu\" nrW=\"2\">x"
                   "</ATRYBUT></WIERSZ></TABELA></DANE></WNIOSEK>")
            << false;
        QTest::newRow("record number too large in special fields")
            << QByteArray("<?xml version=\"1.0\"?><WNIOSEK><DANE><POLA_SPEC>"
                          "<POLE kod=\"ZALMAPYRT\" nrW=\"99999999999999999999\" dsN=\"dsPolaSpec\" "
                          "dsKN=\"\" dsKW=\"ZALMAPYRT\">T</POLE>"
                          "</POLA_SPEC></DANE></WNIOSEK>")
            << false;
    }

    void damagedFile() {
        QFETCH(QByteArray, content);
        QFETCH(bool, silent);
        const QString file = path(QStringLiteral("zly.xml"));
        QVERIFY(writeAll(file, content));
        Editor e(settingsFor(dir_->path()));
        e.file.Silent = silent;
        e.file.OpenApplicationFile(file);
        QVERIFY(e.file.LoadFailed);
        QCOMPARE(e.file.MessageList, silent ? QStringList() : QStringList{kDamaged});
        QVERIFY(e.fx.ui.shownTexts().isEmpty());
        QCOMPARE(e.file.FileName, file);
        // A new, empty application stands in for the file.
        QCOMPARE(e.t("dsWniosek").recordCount(), 1);
        QCOMPARE(e.t("dsZrodlaFin").recordCount(), 12);
        QCOMPARE(e.title(), QString());
        QVERIFY(e.file.VerifyChecksum());
        QCOMPARE(readAll(file), content);
    }

    void unreadableFileIsShownAtOnce() {
        const QString missing = path(QStringLiteral("brak.xml"));
        for (bool silent : {false, true}) {
            Editor e(settingsFor(dir_->path()));
            e.file.Silent = silent;
            e.file.OpenApplicationFile(missing);
            QVERIFY(e.file.LoadFailed);
            QCOMPARE(e.file.MessageList, QStringList());
            const QStringList shown = e.fx.ui.shownTexts();
            QCOMPARE(shown.size(), silent ? 0 : 1);
            if (!silent)
                QVERIFY2(!shown[0].contains(QLatin1String("Parser error")), qPrintable(shown[0]));
        }
    }

    void saveAfterDamagedFileAsksForName() {
        const QString file = path(QStringLiteral("zly.xml"));
        QVERIFY(writeAll(file, "<WNIOSEK>"));
        Editor e(settingsFor(dir_->path()));
        e.file.OpenApplicationFile(file);
        QVERIFY(e.file.LoadFailed);
        QString proposed;
        e.file.chooseSavePath = [&](const QString&, const QString& name) {
            proposed = name;
            return std::optional<QString>();
        };
        QVERIFY(!e.file.save());
        QCOMPARE(proposed, file);
        QCOMPARE(readAll(file), QByteArray("<WNIOSEK>"));
    }

    // ---------------------------------------------------------------- closing

    void closeQuery_data() {
        QTest::addColumn<bool>("closingByHost");
        QTest::addColumn<bool>("viewOnly");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("answers"); // Y or N per question
        QTest::addColumn<bool>("mayClose");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("saved");
        QTest::newRow("host closes") << true << false << true << "" << true << 0 << false;
        QTest::newRow("user declines") << false << false << true << "N" << false << 1 << false;
        QTest::newRow("nothing changed") << false << false << false << "Y" << true << 1 << false;
        QTest::newRow("changed, saved") << false << false << true << "YY" << true << 2 << true;
        QTest::newRow("changed, not saved") << false << false << true << "YN" << true << 2 << false;
        QTest::newRow("view only") << false << true << true << "Y" << true << 1 << false;
    }

    void closeQuery() {
        QFETCH(bool, closingByHost);
        QFETCH(bool, viewOnly);
        QFETCH(bool, changed);
        QFETCH(QString, answers);
        QFETCH(bool, mayClose);
        QFETCH(int, questions);
        QFETCH(bool, saved);

        Editor e(settingsFor(dir_->path()));
        e.file.FileName = path(QStringLiteral("a.xml"));
        e.file.ClosingByHost = closingByHost;
        e.file.ViewOnly = viewOnly;
        int commits = 0;
        e.file.CommitActiveControl = [&] {
            ++commits;
            return true;
        };
        e.fx.dm->Zmieniony = changed;
        for (QChar a : answers)
            e.fx.ui.queueAnswer(a == QLatin1Char('Y') ? MessageResult::Yes : MessageResult::No);

        QCOMPARE(e.file.closeQuery(), mayClose);
        const QList<UiCall> boxes = e.fx.ui.calls(UiCall::Kind::MessageBox);
        QCOMPARE(boxes.size(), questions);
        const QStringList texts = {
            QStringLiteral("Czy na pewno chcesz zamknąć Edytor Wniosku?"),
            QStringLiteral("Dane zawarte we wniosku zmieniły się. Czy chcesz zapisać zmiany?")};
        for (int i = 0; i < boxes.size(); ++i) {
            QCOMPARE(boxes[i].text, texts[i]);
            QCOMPARE(boxes[i].caption, QStringLiteral("Edytor Wniosku"));
            QCOMPARE(boxes[i].icon, MessageIcon::Question);
            QCOMPARE(boxes[i].buttons, MessageButtons::YesNo);
        }
        QCOMPARE(QFile::exists(e.file.FileName), saved);
        QCOMPARE(commits, closingByHost ? 0 : (saved ? 2 : 1));
    }

    // ---------------------------------------------------------------- recovery copy

    void recoveryCopyIsASideCopy() {
        const QString file = path(QStringLiteral("wniosek.xml"));
        QVERIFY(!saveNewApplication(file, settingsFor(dir_->path())).isEmpty());
        const QByteArray saved = readAll(file);
        HostRegistry().writeString(HostRegistry::ValueLastFile, QStringLiteral("/inny.xml"));

        Editor e(settingsFor(dir_->path()));
        e.file.OpenApplicationFile(file);
        e.setTitle(QStringLiteral("Tytuł po zmianie"));
        QVERIFY(e.fx.dm->Zmieniony);
        // A place being inserted, not yet posted, goes into the copy and stays being inserted.
        DataSet& places = e.fx.dm->table(QStringLiteral("dsLokalizacja"));
        if (!places.isActive()) places.open();
        const int placesBefore = places.recordCount();
        QVERIFY(places.append());
        places.field(QStringLiteral("Miejscowosc")).setValue(QStringLiteral("Wstawiana"));
        const QString copy = path(QStringLiteral("kopia/wniosek.xml"));
        QCOMPARE(e.file.writeRecoveryCopy(copy), QString());
        QCOMPARE(places.state(), DataSetState::Insert);
        QCOMPARE(places.recordCount(), placesBefore);
        places.cancel();
        // Nothing of the application itself moved: flag, name, file, last file, messages.
        QVERIFY(e.fx.dm->Zmieniony);
        QCOMPARE(e.file.FileName, file);
        QCOMPARE(readAll(file), saved);
        QCOMPARE(HostRegistry().readString(HostRegistry::ValueLastFile),
                 QStringLiteral("/inny.xml"));
        QVERIFY(e.fx.ui.shownTexts().isEmpty());

        // The copy is a whole application file whose checksum holds.
        Editor other(settingsFor(dir_->path()));
        QCOMPARE(runSprawdzSume(*other.fx.dm, other.fx.ui, copy, true), 1);
        Editor restored(settingsFor(dir_->path()));
        restored.file.OpenApplicationFile(file);
        restored.file.restoreRecoveryCopy(copy);
        QCOMPARE(restored.title(), QStringLiteral("Tytuł po zmianie"));
        DataSet& restoredPlaces = restored.fx.dm->table(QStringLiteral("dsLokalizacja"));
        QCOMPARE(restoredPlaces.recordCount(), placesBefore + 1);
        QCOMPARE(restoredPlaces.valueAt(placesBefore + 1,
                                        restoredPlaces.field(QStringLiteral("Miejscowosc"))),
                 QVariant(QStringLiteral("Wstawiana")));
        QCOMPARE(restored.file.FileName, file);
        QVERIFY(restored.fx.dm->Zmieniony);

        // Writing posts a record; a rule's message box then deactivates the editor, whose
        // copy must leave the document being written whole.
        DataSet& sources = e.fx.dm->table(QStringLiteral("dsZrodlaFin"));
        sources.first();
        sources.edit();
        const auto rule = sources.events.beforePost;
        sources.events.beforePost = [&](DataSet&) {
            return e.file.writeRecoveryCopy(copy).isEmpty();
        };
        QVERIFY(e.file.WriteApplicationFile(file));
        sources.events.beforePost = rule;
        Editor reread(settingsFor(dir_->path()));
        reread.file.OpenApplicationFile(file);
        QCOMPARE(reread.title(), QStringLiteral("Tytuł po zmianie"));
    }

    void recoveryCopyFailsQuietly() {
        Editor e(settingsFor(dir_->path()));
        e.setTitle(kTitle);
        QVERIFY(writeAll(path(QStringLiteral("plik")), "x"));
        // A folder that cannot exist: its parent is a file.
        const QString error = e.file.writeRecoveryCopy(path(QStringLiteral("plik/kopia.xml")));
        QVERIFY(!error.isEmpty());
        QVERIFY(e.fx.dm->Zmieniony);
        QCOMPARE(e.title(), kTitle);
        QVERIFY(e.fx.ui.shownTexts().isEmpty());
    }

    void recoveryCopyOffered_data() {
        QTest::addColumn<bool>("newApplication");
        QTest::addColumn<int>("copyAgeAgainstFile"); // seconds; no copy when 0
        QTest::addColumn<bool>("offered");
        QTest::newRow("no copy") << false << 0 << false;
        QTest::newRow("copy newer than the file") << false << 60 << true;
        QTest::newRow("copy older than the file") << false << -60 << false;
        QTest::newRow("new application with a copy") << true << 60 << true;
        QTest::newRow("new application without") << true << 0 << false;
    }

    void recoveryCopyOffered() {
        QFETCH(bool, newApplication);
        QFETCH(int, copyAgeAgainstFile);
        QFETCH(bool, offered);
        qputenv("XDG_STATE_HOME", QFile::encodeName(path(QStringLiteral("stan"))));
        const QString file = newApplication ? QString() : path(QStringLiteral("wniosek.xml"));
        QCOMPARE(RecoveryCopy::prepareFolder(), QString());
        const QString copy =
            newApplication ? RecoveryCopy::newApplicationPath() : RecoveryCopy::pathFor(file);
        QVERIFY(copy.startsWith(path(QStringLiteral("stan/Zelgor/odzyskiwanie/"))));
        QVERIFY(copy != RecoveryCopy::pathFor(path(QStringLiteral("inny/wniosek.xml"))));
        // Personal data: the folder is its owner's alone.
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(RecoveryCopy::folder()).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
        const QDateTime fileTime = QDateTime::currentDateTime().addSecs(-3600);
        auto setModified = [](const QString& name, const QDateTime& time) {
            QFile f(name);
            return f.open(QIODevice::ReadWrite) &&
                   f.setFileTime(time, QFileDevice::FileModificationTime);
        };
        if (!newApplication) {
            QVERIFY(writeAll(file, "<WNIOSEK/>"));
            QVERIFY(setModified(file, fileTime));
        }
        if (copyAgeAgainstFile != 0) {
            QVERIFY(writeAll(copy, "<WNIOSEK/>"));
            QVERIFY(setModified(copy, fileTime.addSecs(copyAgeAgainstFile)));
        }
        // A new application's copy is found while no editor holds it, and only then.
        if (newApplication) {
            QCOMPARE(RecoveryCopy::orphanedNewApplicationCopies().contains(copy), offered);
            const std::unique_ptr<QLockFile> owner = RecoveryCopy::own(copy);
            QVERIFY(owner);
            QVERIFY(!RecoveryCopy::orphanedNewApplicationCopies().contains(copy));
            QVERIFY(!RecoveryCopy::own(copy));
        }
        const std::optional<QDateTime> written = RecoveryCopy::offered(copy, file);
        QCOMPARE(written.has_value(), offered);
        if (written)
            QVERIFY(RecoveryCopy::question(*written).startsWith(
                QStringLiteral("Znaleziono niezapisaną wersję tego wniosku z dnia ")));
        // A copy older than its file is removed, not kept forever.
        QCOMPARE(QFileInfo::exists(copy), offered);
        qunsetenv("XDG_STATE_HOME");
    }
};

QTEST_GUILESS_MAIN(TestApplicationFile)
#include "tst_application_file.moc"
