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

#include <unistd.h>

using namespace Qt::StringLiterals;

using TestSupport::readAll;
using TestSupport::writeAll;

namespace {

const QString kTitle = u"Ala ma kota"_s;
const QString kDamaged = QStringLiteral(
    "Uszkodzony plik Wniosku. Nie można kontynuować.\r\n\r\n"
    "Wniosek Edytowany poza Zelgorem lub błąd systemowy podczas zapisu pliku.\r\n\r\n"
    "Zostanie utworzony nowy pusty wniosek.");

HostSettings settingsFor(const QString& applicationsFolder,
                         const QString& versionText = u"1.0.0.0"_s) {
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
        w.field(u"tytul_projektu"_s).setValue(title);
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
    doc.saveFile(path, u"windows-1250"_s);
}

// "wersja" and "wersja_p" of a file: the version that saved it, the one that created it.
QString versions(const QString& file) {
    const XmlDocument doc = XmlDocument::parseFile(file);
    const XmlElement info = doc.root().firstChildElement("INFO_DLL");
    return info.attribute("wersja") + u' ' + info.attribute("wersja_p");
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
    QString out = file.VerifyChecksum() ? u"suma zgodna\n"_s : u"suma błędna\n"_s;
    out += ui.shownTexts().join(u'|') + u'\n';
    out += u"%1 %2 %3 %4 %5\n"_s.arg(dm.Zmieniony)
               .arg(dm.BladSlownika)
               .arg(dm.WersjaSlownikaPliku, dm.DbidSlownikaPliku, dm.SidSlownikaPliku);
    for (const auto& t : dm.tables()) {
        out += u"%1 [%2] %3 %4:"_s.arg(t->name(), t->filter()).arg(t->isFiltered()).arg(t->recNo());
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
        qputenv("ZELGR_REGISTRY", registryDir_.filePath(u"registry.ini"_s).toUtf8());
    }

    void init() {
        QFile::remove(registryDir_.filePath(u"registry.ini"_s));
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // ---------------------------------------------------------------- names and saving

    // The proposed name of a new file (chosen empty), or the name a chosen one is written as.
    void fileNames_data() {
        QTest::addColumn<QStringList>("present"); // files of the folder; "/" ends a folder
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& present, const char* chosen,
                            const char* expected) {
            QTest::newRow(name) << present << chosen << expected;
        };
        row("empty folder", {}, "", "wniosek001.xml");
        row("first taken", {"wniosek001.xml"}, "", "wniosek002.xml");
        row("gap", {"wniosek001.xml", "wniosek003.xml"}, "", "wniosek002.xml");
        row("a folder is no file", {"wniosek001.xml/"}, "", "wniosek001.xml");
        QStringList upTo999;
        for (int n = 1; n <= 999; ++n)
            upTo999 << u"wniosek%1.xml"_s.arg(n, 3, 10, QChar(u'0'));
        row("four digits from 1000", upTo999, "", "wniosek1000.xml");
        row("no extension", {}, "a", "a.xml");
        row("upper case", {}, "b.XML", "b.XML");
        row("mixed case", {}, "c.Xml", "c.Xml");
        row("other extension", {}, "d.txt", "d.txt.xml");
        row("xml inside", {}, "e.xml.bak", "e.xml.bak.xml");
    }
    void fileNames() {
        QFETCH(QStringList, present);
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        for (const QString& f : present)
            QVERIFY(f.endsWith(u'/') ? QDir().mkdir(path(f)) : writeAll(path(f), "x"));
        Editor e(settingsFor(dir_->path()));
        if (chosen.isEmpty()) {
            QCOMPARE(e.file.DefaultFileName(), expected);
        } else {
            QVERIFY(e.file.saveAs(path(chosen)));
            QCOMPARE(e.file.FileName, path(expected));
            QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{expected});
        }
    }

    // A dialog answered with a name is driven through the editor (tst_application_entry).
    void cancelledSaveAsKeepsProposalWithoutWriting() {
        Editor e(settingsFor(dir_->path()));
        QStringList asked;
        e.file.chooseSavePath = [&](const QString& folder, const QString& proposed) {
            asked << folder + u'|' + proposed;
            return std::optional<QString>();
        };
        QVERIFY(!e.file.save());
        QCOMPARE(e.file.FileName, u"wniosek001.xml"_s);
        // The bare proposal is never written without the dialog.
        QVERIFY(!e.file.save());
        QCOMPARE(asked, QStringList(2, dir_->path() + u"|wniosek001.xml"_s));
        QVERIFY(!QFile::exists(u"wniosek001.xml"_s));
    }

    void rememberFileLocation() {
        const QString sub = path(u"wnioski"_s);
        QVERIFY(QDir().mkpath(sub));
        Editor e(settingsFor(dir_->path()));
        QVERIFY(e.file.saveAs(sub + u"/pierwszy.xml"_s));
        const HostRegistry registry;
        QCOMPARE(registry.readString(u"ostatni"_s), sub + u"/pierwszy.xml"_s);
        QCOMPARE(registry.readString(u"wnioski"_s), sub);
        QCOMPARE(e.file.ApplicationsFolder(), sub);
        QCOMPARE(e.file.DefaultFileName(), u"wniosek001.xml"_s);

        // A plain save to the same folder remembers the file again, the folder stays.
        QVERIFY(registry.writeString(u"wnioski"_s, u"/inny"_s));
        QVERIFY(e.file.save());
        QCOMPARE(registry.readString(u"wnioski"_s), u"/inny"_s);
    }

    void unwritableRegistryIsSilent() {
        // A registry file below a plain file can never be created: no message, no warning, and
        // the folder of a file saved elsewhere does not become the applications folder.
        QVERIFY(writeAll(path(u"plik"_s), "x") && QDir().mkpath(path(u"inny"_s)));
        const TestSupport::ScopedEnv registry("ZELGR_REGISTRY", path(u"plik/r.ini"_s).toUtf8());
        Editor e(settingsFor(dir_->path()));
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        QVERIFY(e.file.saveAs(path(u"inny/a.xml"_s)));
        QVERIFY(e.fx.ui.shownTexts().isEmpty());
        QCOMPARE(e.file.ApplicationsFolder(), dir_->path());
    }

    void failedSaveKeepsPreviousFile() {
        const QString folder = path(u"tylko_odczyt"_s);
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + u"/a.xml"_s;
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
        const QString prefix = u"Nie można zapisać pliku wniosku %1.\r\n\r\n"_s.arg(target);
        QVERIFY2(boxes[0].text.startsWith(prefix) && boxes[0].text.size() > prefix.size(),
                 qPrintable(boxes[0].text));
        QVERIFY(HostRegistry().readString(u"ostatni"_s).isEmpty());
    }

    // ---------------------------------------------------------------- loading and checking

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
        const QString file = path(u"a.xml"_s);
        QVERIFY(!saveNewApplication(file, settingsFor(dir_->path())).isEmpty());
        // The values of the chosen records are redirected to a table the module lacks.
        XmlDocument doc = XmlDocument::parseFile(file);
        int redirected = 0;
        std::function<void(const XmlElement&)> walk = [&](const XmlElement& e) {
            for (XmlElement c : e.childElements()) {
                if (c.nameIs("ATRYBUT") && c.attribute("dsN") == table &&
                    c.attribute("nrW").toInt() >= fromRecord) {
                    c.setAttribute("dsN", u"dsNieMa"_s);
                    ++redirected;
                }
                walk(c);
            }
        };
        walk(doc.root());
        QVERIFY(redirected > 0);
        doc.saveFile(file, u"windows-1250"_s);

        Editor e(settingsFor(dir_->path()));
        const QVariant programme = e.fx.f("dsPozWdr", "PWD_ID1").value();
        QVERIFY(programme.isValid());
        e.file.OpenApplicationFile(file);
        QVERIFY(!e.file.LoadFailed);
        QCOMPARE(e.t(table.toLatin1().constData()).recordCount(), rowsAfterLoad);
        QCOMPARE(e.fx.f("dsPozWdr", "PWD_ID1").value(), programme);
        QCOMPARE(e.title(), kTitle);
    }

    // What a load says of a file saved by another version or over another dictionary: the
    // messages (none when silent); the checksum holds, a foreign one is trusted until a save
    // upgrades the file, which keeps the version that created it.
    void loadMessages_data() {
        QTest::addColumn<QString>("savedBy");  // the version that saved the file
        QTest::addColumn<QString>("loadedBy"); // the version that loads it
        QTest::addColumn<QStringList>("info"); // INFO_DLL attributes changed, name=value
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QStringList>("messages"); // %D: the running dictionary, %S: its SID
        const auto row = [](const char* name, const char* savedBy, const char* loadedBy,
                            const QStringList& info, bool silent, const QStringList& messages) {
            QTest::newRow(name) << savedBy << loadedBy << info << silent << messages;
        };
        const QString version = QStringLiteral(
            "Wniosek został zapisany w innej wersji niż aktualna.\r\nWniosek zapisano w wersji: "
            "%1\r\nAktualna wersja: %2");
        const QString dictionary =
            QStringLiteral("Wniosek został stworzony z inną wersją słownika niż aktualna.\r\n\r\n"
                           "Pierwsza wersja słownika: %1\r\nAktualna wersja słownika: %D");
        row("same version", "1.0.0.0", "1.0.0.0", {}, false, {});
        row("other version", "0.9.1.0", "1.0.0.0", {}, false, {version.arg("0.9.1.0", "1.0.0.0")});
        row("no version resource", "0.9.1.0", "<info not available>", {}, false,
            {version.arg("0.9.1.0", "<info not available>")});
        row("other dictionary", "1.0.0.0", "1.0.0.0", {"DBID_p=INNA-BAZA", "wersja_slownika_p=7"},
            false, {dictionary.arg("7-INNA-BAZA-%S")});
        const QStringList both{version.arg("0.1.0.0", "1.0.0.0"), dictionary.arg("%V-%B-inne")};
        row("both", "0.1.0.0", "1.0.0.0", {"SID_p=inne"}, false, both);
        row("both, silent", "0.1.0.0", "1.0.0.0", {"SID_p=inne"}, true, {});
    }
    void loadMessages() {
        QFETCH(QString, savedBy);
        QFETCH(QString, loadedBy);
        QFETCH(QStringList, info);
        QFETCH(QStringList, messages);
        const QString file = path(u"stary.xml"_s);
        const QString stored = saveNewApplication(file, settingsFor(dir_->path(), savedBy));
        QCOMPARE(stored.size(), 19);
        QCOMPARE(versions(file), savedBy + u' ' + savedBy);
        const QString foreign = u"0000-1111-2222-3333"_s;
        const bool otherVersion = savedBy != u"1.0.0.0"_s;
        if (otherVersion) QVERIFY(replaceInFile(file, stored.toLatin1(), foreign.toLatin1()));
        for (const QString& change : info)
            setInfoAttribute(file, change.section(u'=', 0, 0).toLatin1(), change.section(u'=', 1));

        Editor e(settingsFor(dir_->path(), loadedBy));
        const TdmDataSets& dm = *e.fx.dm;
        for (QString& m : messages)
            m.replace(u"%D"_s, u"%V-%B-%S"_s)
                .replace(u"%V"_s, dm.WersjaSlownika)
                .replace(u"%B"_s, dm.DbidSlownika)
                .replace(u"%S"_s, dm.SidSlownika);
        QFETCH(bool, silent);
        e.file.Silent = silent;
        e.file.OpenApplicationFile(file);
        QVERIFY(!e.file.LoadFailed);
        QCOMPARE(e.file.MessageList, messages);
        QCOMPARE(e.file.FileName, file);
        QCOMPARE(e.file.FileVersion, savedBy);
        QCOMPARE(e.file.FirstVersion, savedBy);
        QCOMPARE(e.title(), kTitle);
        // The file's rows replace the rows the module made at creation.
        QCOMPARE(QList<int>({e.t("dsWniosek").recordCount(), e.t("dsPolaSpec").recordCount(),
                             e.t("dsZrodlaFin").recordCount(), e.t("dsProfilWyd").recordCount()}),
                 QList<int>({1, 1, 12, 12}));
        QVERIFY(e.file.VerifyChecksum());
        QCOMPARE(e.file.ChecksumTrusted(), otherVersion);
        QCOMPARE(e.fx.f("dsWniosek", "suma_kontrolna").asString(), otherVersion ? foreign : stored);
        QVERIFY(!e.fx.dm->Zmieniony);
        QVERIFY(!e.fx.dm->Wczytywanie);
        if (!info.isEmpty()) return;
        // Saving upgrades the file: current version, checksum of its data.
        const QString upgraded = path(u"nowy.xml"_s);
        QVERIFY(e.file.saveAs(upgraded));
        QVERIFY(!e.fx.dm->Zmieniony);
        QCOMPARE(versions(upgraded), currentModuleVersion(loadedBy) + u' ' + savedBy);
        Editor again(settingsFor(dir_->path()));
        again.file.OpenApplicationFile(upgraded);
        QCOMPARE(again.file.MessageList, QStringList());
        QVERIFY(again.file.VerifyChecksum());
        QVERIFY(!again.file.ChecksumTrusted());
    }

    // One module reads file after file (the fuzzing run does): put back to its snapshot,
    // it must read each file exactly as a newly built module does.
    void restoredModuleReadsAsNew_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("file");
        const QString apps = QStringLiteral(TOPAZ_TEST_DATA "/applications/");
        const QString xml = QStringLiteral(TOPAZ_TEST_DATA "/xml/");
        const QString sample = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");
        QTest::newRow("sample, then another") << sample << apps + u"complete.xml"_s;
        QTest::newRow("another, then sample") << apps + u"no-finance.xml"_s << sample;
        QTest::newRow("sample, then damaged") << sample << xml + u"truncated.xml"_s;
        QTest::newRow("entities, then sample") << xml + u"billion_laughs.xml"_s << sample;
        QTest::newRow("sample, then empty") << sample << xml + u"empty.xml"_s;
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
        // Record numbers no application reaches refuse the whole file before anything is read:
        // the main record is merged into every location row, so a second one would be written
        // into each of them once more; above the limit, in a child table or a special field.
        const auto data = [](const char* name, const QByteArray& tableOrSpecial) {
            QTest::newRow(name) << QByteArray("<?xml version=\"1.0\"?><WNIOSEK><DANE>" +
                                              tableOrSpecial + "</DANE></WNIOSEK>")
                                << false;
        };
        const QByteArray title = "<TABELA nazwa=\"PLO_WNIOSKI\"><WIERSZ><ATRYBUT nazwa=\"\" "
                                 "dsN=\"dsWniosek\" dsK=\"tytul_projektu\" nrW=\"1\">x</ATRYBUT>";
        data("second main record", title + "<ATRYBUT nazwa=\"\" dsN=\"dsWniosek\" dsK=\"tytul_"
                                           "projektu\" nrW=\"2\">x</ATRYBUT></WIERSZ></TABELA>");
        data("record number above the limit",
             title + "<TABELA nazwa=\"T\"><WIERSZ><ATRYBUT dsN=\"dsZamPub\" dsK=\"lp\" "
                     "nrW=\"100001\">1</ATRYBUT></WIERSZ></TABELA></WIERSZ></TABELA>");
        data("record number beyond 64 bits",
             "<POLA_SPEC><POLE kod=\"A\" nrW=\"99999999999999999999999\" dsN=\"dsPolaSpec\" "
             "dsKN=\"\" dsKW=\"CZYWYSTINNEINS\">T</POLE></POLA_SPEC>" +
                 title + "</WIERSZ></TABELA>");
        // A file that cannot be read is shown at once, not collected as a message.
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("missing, silent") << QByteArray() << true;
    }

    void damagedFile() {
        QFETCH(QByteArray, content);
        QFETCH(bool, silent);
        const bool missing = QByteArray(QTest::currentDataTag()).startsWith("missing");
        const QString file = path(u"zly.xml"_s);
        QVERIFY(missing || writeAll(file, content));
        Editor e(settingsFor(dir_->path()));
        e.file.Silent = silent;
        e.file.OpenApplicationFile(file);
        QVERIFY(e.file.LoadFailed);
        QCOMPARE(e.file.MessageList, silent || missing ? QStringList() : QStringList{kDamaged});
        const QStringList shown = e.fx.ui.shownTexts();
        QCOMPARE(shown.size(), missing && !silent ? 1 : 0);
        if (!shown.isEmpty()) QVERIFY2(!shown[0].contains(u"Parser error"_s), qPrintable(shown[0]));
        QCOMPARE(e.file.FileName, file);
        // A new, empty application stands in for the file.
        QCOMPARE(e.t("dsWniosek").recordCount(), 1);
        QCOMPARE(e.t("dsZrodlaFin").recordCount(), 12);
        QCOMPARE(e.title(), QString());
        QVERIFY(e.file.VerifyChecksum());
        // Saving asks for a name, proposing the file's own, and leaves the file as it was.
        QString proposed;
        e.file.chooseSavePath = [&](const QString&, const QString& name) {
            proposed = name;
            return std::optional<QString>();
        };
        QVERIFY(!e.file.save());
        QCOMPARE(proposed, file);
        QCOMPARE(QFile::exists(file), !missing);
        if (!missing) QCOMPARE(readAll(file), content);
    }

    // ---------------------------------------------------------------- closing

    // The editor's close drives the other answers (tst_editor_window); here changed data saved
    // on the way out: both questions as asked, the active control committed before the first
    // and again by the save; in view mode only the close question comes, and when the host
    // closes the editor none.
    void closeQuerySavesChangedData() {
        Editor e(settingsFor(dir_->path()));
        e.file.FileName = path(u"a.xml"_s);
        int commits = 0;
        e.file.CommitActiveControl = [&] {
            ++commits;
            return true;
        };
        e.fx.dm->Zmieniony = true;
        e.fx.ui.queueAnswer(MessageResult::Yes);
        e.fx.ui.queueAnswer(MessageResult::Yes);
        QVERIFY(e.file.closeQuery());
        const QList<UiCall> boxes = e.fx.ui.calls(UiCall::Kind::MessageBox);
        const QStringList texts = {
            u"Czy na pewno chcesz zamknąć Edytor Wniosku?"_s,
            u"Dane zawarte we wniosku zmieniły się. Czy chcesz zapisać zmiany?"_s};
        QCOMPARE(boxes.size(), texts.size());
        for (int i = 0; i < boxes.size(); ++i) {
            QCOMPARE(boxes[i].text, texts[i]);
            QCOMPARE(boxes[i].caption, u"Edytor Wniosku"_s);
            QCOMPARE(boxes[i].icon, MessageIcon::Question);
            QCOMPARE(boxes[i].buttons, MessageButtons::YesNo);
        }
        QVERIFY(QFile::exists(e.file.FileName));
        QCOMPARE(commits, 2);
        e.file.ViewOnly = true;
        e.fx.dm->Zmieniony = true;
        e.fx.ui.queueAnswer(MessageResult::Yes);
        QVERIFY(e.file.closeQuery());
        QCOMPARE(e.fx.ui.calls(UiCall::Kind::MessageBox).size(), 3);
        QCOMPARE(commits, 3);
        // The host closing the editor asks nothing and commits nothing.
        e.file.ClosingByHost = true;
        QVERIFY(e.file.closeQuery());
        QCOMPARE(e.fx.ui.calls(UiCall::Kind::MessageBox).size(), 3);
        QCOMPARE(commits, 3);
    }

    // ---------------------------------------------------------------- recovery copy

    void recoveryCopyIsASideCopy() {
        const QString file = path(u"wniosek.xml"_s);
        QVERIFY(!saveNewApplication(file, settingsFor(dir_->path())).isEmpty());
        const QByteArray saved = readAll(file);
        HostRegistry().writeString(HostRegistry::ValueLastFile, u"/inny.xml"_s);

        Editor e(settingsFor(dir_->path()));
        e.file.OpenApplicationFile(file);
        e.setTitle(u"Tytuł po zmianie"_s);
        QVERIFY(e.fx.dm->Zmieniony);
        // A place being inserted, not yet posted, goes into the copy and stays being inserted.
        DataSet& places = e.fx.dm->table(u"dsLokalizacja"_s);
        if (!places.isActive()) places.open();
        const int placesBefore = places.recordCount();
        QVERIFY(places.append());
        places.field(u"Miejscowosc"_s).setValue(u"Wstawiana"_s);
        const QString copy = path(u"kopia/wniosek.xml"_s);
        QCOMPARE(e.file.writeRecoveryCopy(copy), QString());
        QCOMPARE(places.state(), DataSetState::Insert);
        QCOMPARE(places.recordCount(), placesBefore);
        places.cancel();
        // Nothing of the application itself moved: flag, name, file, last file, messages.
        QVERIFY(e.fx.dm->Zmieniony);
        QCOMPARE(e.file.FileName, file);
        QCOMPARE(readAll(file), saved);
        QCOMPARE(HostRegistry().readString(HostRegistry::ValueLastFile), u"/inny.xml"_s);
        QVERIFY(e.fx.ui.shownTexts().isEmpty());

        // The copy is a whole application file whose checksum holds.
        Editor other(settingsFor(dir_->path()));
        QCOMPARE(runSprawdzSume(*other.fx.dm, other.fx.ui, copy, true), 1);
        Editor restored(settingsFor(dir_->path()));
        restored.file.OpenApplicationFile(file);
        restored.file.restoreRecoveryCopy(copy);
        QCOMPARE(restored.title(), u"Tytuł po zmianie"_s);
        DataSet& restoredPlaces = restored.fx.dm->table(u"dsLokalizacja"_s);
        QCOMPARE(restoredPlaces.recordCount(), placesBefore + 1);
        QCOMPARE(restoredPlaces.valueAt(placesBefore + 1, restoredPlaces.field(u"Miejscowosc"_s)),
                 QVariant(u"Wstawiana"_s));
        QCOMPARE(restored.file.FileName, file);
        QVERIFY(restored.fx.dm->Zmieniony);

        // Writing posts a record; a rule's message box then deactivates the editor, whose
        // copy must leave the document being written whole.
        DataSet& sources = e.fx.dm->table(u"dsZrodlaFin"_s);
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
        QCOMPARE(reread.title(), u"Tytuł po zmianie"_s);
    }

    // Which copies are offered and when is driven through the editor in tst_recovery; here
    // what it cannot reach: the copies of equal names in two folders differ, and a new
    // application's copy counts as orphaned only while no editor owns it.
    void recoveryCopyOwnership() {
        qputenv("XDG_STATE_HOME", QFile::encodeName(path(u"stan"_s)));
        QVERIFY(RecoveryCopy::pathFor(path(u"wniosek.xml"_s)) !=
                RecoveryCopy::pathFor(path(u"inny/wniosek.xml"_s)));
        QCOMPARE(RecoveryCopy::prepareFolder(), QString());
        const QString copy = RecoveryCopy::newApplicationPath();
        QVERIFY(writeAll(copy, "<WNIOSEK/>"));
        QVERIFY(RecoveryCopy::orphanedNewApplicationCopies().contains(copy));
        const std::unique_ptr<QLockFile> owner = RecoveryCopy::own(copy);
        QVERIFY(owner);
        QVERIFY(!RecoveryCopy::orphanedNewApplicationCopies().contains(copy));
        QVERIFY(!RecoveryCopy::own(copy));
        qunsetenv("XDG_STATE_HOME");
    }
};

QTEST_GUILESS_MAIN(TestApplicationFile)
#include "tst_application_file.moc"
