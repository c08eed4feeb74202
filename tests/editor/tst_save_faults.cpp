// Every failure of a save, proven: each save path (the editor's save, its recovery copy,
// topaz_q resave and import's database commit) runs under strace, which fails the N-th
// write, fsync, fdatasync, rename or close of the saving thread with ENOSPC, for N = 1, 2,
// ... from the save's first file operation until the save goes through untouched. After
// every run the old file is byte-identical or the new one is complete with a checksum that
// holds, the user got one clear message, and no temporary file is left.
#include "editor_fixture.h"

#include "editor/window/recovery_guard.h"
#include "file/application_file.h"
#include "file/recovery_copy.h"

#include "tests/test_support.h"
#include <QStatusBar>

#include <QDir>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

using namespace Qt::StringLiterals;

using TestSupport::readAll;
using TestSupport::Run;

namespace {

const QStringList kSyscalls = {u"write"_s,    u"fsync"_s,     u"fdatasync"_s, u"rename"_s,
                               u"renameat"_s, u"renameat2"_s, u"linkat"_s,    u"close"_s};

// The child's side: one save in the editor, its messages on standard error; 0 when saved.
int saveInEditor(const QString& file, bool recoveryCopy) {
    EditorFixture fx(false);
    int result = 3;
    fx.runEditor(file, [&] {
        DataSet& t = fx.dm->table(u"dsWniosek"_s);
        t.edit();
        t.field(u"tytul_projektu"_s).setValue(u"Tytuł po awarii"_s);
        t.post();
        if (recoveryCopy) {
            fx.window->findChild<editor::RecoveryGuard*>()->writeIfChanged();
            const QString line = fx.window->findChild<QStatusBar*>()->currentMessage();
            if (!line.isEmpty()) fprintf(stderr, "%s\n", line.toUtf8().constData());
            result = line.isEmpty() ? 0 : 3;
        } else {
            result = fx.window->file().save() ? 0 : 3;
        }
    });
    for (const UiCall& c : fx.ui.calls(UiCall::Kind::MessageBox))
        fprintf(stderr, "%s\n", c.text.toUtf8().constData());
    return result;
}

} // namespace

class TestSaveFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(u"strace"_s).isEmpty())
            QSKIP("strace is not installed (scripts/install-deps.sh installs it)");
        registry_ = home_.filePath(u"registry.ini"_s);
        QVERIFY(TestSupport::writeAll(registry_, "[Zelgr]\nbin=" TOPAZ_EXAMPLES "\n"));
        // A tracer that cannot attach (no ptrace in the container) leaves nothing to test.
        const Run probe = TestSupport::runProgram(
            u"strace"_s, {u"-qq"_s, u"-o"_s, u"/dev/null"_s, u"true"_s}, registry_);
        if (probe.exitCode != 0) QSKIP("strace cannot trace here");
        // LeakSanitizer cannot run in a traced process; the sanitizer build keeps the rest.
        const QByteArray asan = qgetenv("ASAN_OPTIONS");
        qputenv("ASAN_OPTIONS", asan + (asan.isEmpty() ? "" : ":") + "detect_leaks=0");
    }

    void everyFailureLeavesOldOrNew_data() {
        QTest::addColumn<QString>("path");
        for (const char* p : {"editor save", "recovery copy", "resave", "import"})
            QTest::newRow(p) << QString::fromLatin1(p);
    }

    void everyFailureLeavesOldOrNew() {
        QFETCH(QString, path);
        QTemporaryDir dir;
        const Save save = prepare(path, dir);
        const bool database = path == u"import"_s;
        const QByteArray before = readAll(save.target);
        const int importedBefore = database ? imported(save.target) : 0;
        QVERIFY(!before.isEmpty());
        const QStringList filesBefore = QDir(QFileInfo(save.target).path()).entryList(QDir::Files);
        const std::map<QString, int> start = callsBeforeSave(save, dir.filePath(u"trace.log"_s));
        QVERIFY2(!start.empty(), "the save never opened its target");

        // In the editor every write and close of its thread also runs the event loop's wake-ups;
        // failing those stalls the loop, not the save, so the editor's paths take the file
        // system's own calls.
        const bool editor = save.command.first() != topaz_;
        int runs = 0, failures = 0;
        for (const QString& syscall : kSyscalls) {
            if (editor && (syscall == u"write"_s || syscall == u"close"_s)) continue;
            const int first = start.count(syscall) ? start.at(syscall) + 1 : 1;
            for (int n = first;; ++n) {
                QFile::remove(save.target);
                QVERIFY(TestSupport::writeAll(save.target, before));
                const QString log = dir.filePath(u"inject.log"_s);
                const Run r =
                    strace({u"-f"_s, u"-qq"_s, u"-o"_s, log, u"-e"_s, u"trace="_s + syscall,
                            u"-e"_s, u"inject=%1:error=ENOSPC:when=%2"_s.arg(syscall).arg(n)},
                           save);
                ++runs;
                const bool injected = readAll(log).contains("(INJECTED)");
                const QString replay = u"%1, %2 call %3: exit %4\n%5"_s.arg(path, syscall)
                                           .arg(n)
                                           .arg(r.exitCode)
                                           .arg(r.err);
                const QByteArray after = readAll(save.target);
                if (database) {
                    const int now = imported(save.target);
                    QVERIFY2(now == importedBefore || now == importedBefore + 1,
                             qPrintable(replay));
                } else if (after != before) {
                    QVERIFY2(holds(save.target), qPrintable(replay)); // a complete new file
                }
                if (r.exitCode != 0) {
                    ++failures;
                    QVERIFY2(r.exitCode > 0, qPrintable(replay)); // no crash
                    QVERIFY2(r.err.contains(u"ie można"_s) ||
                                 r.err.contains(u"nic z pliku nie zapisano"_s),
                             qPrintable(replay));
                }
                QStringList left = QDir(QFileInfo(save.target).path()).entryList(QDir::Files);
                left.removeAll(u"inject.log"_s);
                left.removeAll(u"trace.log"_s);
                for (const QString& f : filesBefore)
                    left.removeAll(f);
                QVERIFY2(left.isEmpty(), qPrintable(replay + left.join(u' ')));
                if (!injected) break; // the save went through untouched: every call was tried
                QVERIFY2(n < first + 400, qPrintable(replay));
            }
        }
        qInfo("%s: %d runs, %d refused saves", qPrintable(path), runs, failures);
    }

private:
    struct Save {
        QStringList command; // the program and its words
        QString target;      // the file the save replaces
    };
    Save prepare(const QString& path, QTemporaryDir& dir);
    // How many calls of each kind the saving thread makes before it opens the target.
    std::map<QString, int> callsBeforeSave(const Save& save, const QString& log);
    Run strace(const QStringList& words, const Save& save);
    bool holds(const QString& file);
    int imported(const QString& database);

    QString topaz_ = QStringLiteral(TOPAZ_BIN_DIR "/topaz_q");
    QString registry_;
    QTemporaryDir home_;
};

std::map<QString, int> TestSaveFaults::callsBeforeSave(const Save& save, const QString& log) {
    strace({u"-f"_s, u"-qq"_s, u"-o"_s, log, u"-e"_s, u"trace=openat,"_s + kSyscalls.join(u',')},
           save);
    std::map<QString, std::map<QString, int>> perThread;
    const QString opened = u"\""_s + save.target;
    static const QRegularExpression line(u"^(\\d+) +(\\w+)\\("_s);
    for (const QString& l : QString::fromUtf8(readAll(log)).split(u'\n')) {
        const auto m = line.match(l);
        if (!m.hasMatch()) continue;
        // The target itself, or an unnamed file in its folder that is linked in later.
        const bool target = l.contains(opened) || (l.contains(u"O_TMPFILE"_s) &&
                                                   l.contains(QFileInfo(save.target).path()));
        if (m.captured(2) == u"openat"_s && target &&
            (l.contains(u"O_WRONLY"_s) || l.contains(u"O_RDWR"_s)))
            return perThread[m.captured(1)];
        ++perThread[m.captured(1)][m.captured(2)];
    }
    return {};
}

TestSaveFaults::Save TestSaveFaults::prepare(const QString& path, QTemporaryDir& dir) {
    const QString in = dir.filePath(u"wniosek.xml"_s);
    QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"), in);
    const QString self = QCoreApplication::applicationFilePath();
    if (path == u"editor save"_s) return {{self, u"--save"_s, in}, in};
    if (path == u"recovery copy"_s) {
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath(u"stan"_s)));
        const QString copy = RecoveryCopy::pathFor(in);
        QDir().mkpath(QFileInfo(copy).absolutePath());
        QFile::copy(in, copy); // an earlier copy the new one replaces
        return {{self, u"--copy"_s, in}, copy};
    }
    const QString bin = QStringLiteral("--bin=" TOPAZ_EXAMPLES);
    if (path == u"resave"_s) {
        const QString out = dir.filePath(u"wynik.xml"_s);
        QFile::copy(in, out);
        return {{topaz_, u"resave"_s, bin, in, out}, out};
    }
    // import: a database that already holds another application.
    const QString db = dir.filePath(u"baza.sqlite"_s);
    const QString other = dir.filePath(u"inny.xml"_s);
    TestSupport::runProgram(topaz_, {u"new"_s, bin, other}, registry_);
    TestSupport::runProgram(topaz_, {u"import"_s, bin, u"--db"_s, db, other}, registry_);
    return {{topaz_, u"import"_s, bin, u"--db"_s, db, in}, db};
}

Run TestSaveFaults::strace(const QStringList& words, const Save& save) {
    return TestSupport::runProgram(u"strace"_s, words + save.command, registry_);
}

bool TestSaveFaults::holds(const QString& file) {
    return TestSupport::runProgram(
               topaz_, {u"checksum"_s, QStringLiteral("--bin=" TOPAZ_EXAMPLES), file}, registry_)
               .exitCode == 0;
}

int TestSaveFaults::imported(const QString& database) {
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"c"_s);
        db.setDatabaseName(database);
        if (db.open()) {
            QSqlQuery ok(u"PRAGMA integrity_check"_s, db);
            QSqlQuery q(u"SELECT count(*) FROM import_log"_s, db);
            if (ok.next() && ok.value(0).toString() == u"ok"_s && q.next())
                count = q.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(u"c"_s);
    return count;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && (qstrcmp(argv[1], "--save") == 0 || qstrcmp(argv[1], "--copy") == 0))
        return saveInEditor(QString::fromLocal8Bit(argv[2]), qstrcmp(argv[1], "--copy") == 0);
    TestSaveFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_save_faults.moc"
