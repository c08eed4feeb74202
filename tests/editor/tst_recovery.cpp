// The recovery copy as a user meets it: a refused copy, a stale copy, a folder that cannot
// take copies, a normal close and the viewer.
#include "editor/forms/frame_pages.h"
#include "editor/window/focus_control.h"
#include "editor/window/recovery_guard.h"
#include "editor_fixture.h"
#include "file/recovery_copy.h"
#include "tests/test_support.h"
#include "type_text.h"

#include <QAction>
#include <QLockFile>
#include <QProcess>
#include <QStatusBar>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString kEdited = u"Tytuł wpisany przed awarią"_s;
const QString kDescription = u"Opis wpisany przed awarią"_s;

// Types into the control of a dsWniosek field; with `leave` Tab moves on, as a user does.
void editField(EditorFixture& fx, const QString& field, const QString& text, bool leave) {
    QWidget* control = editor::findControlForField(fx.window.get(), u"dsWniosek"_s, field);
    QVERIFY(control);
    fx.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fx.window.get()));
    QVERIFY(editor::focusControl(control)); // shows its page first
    QWidget* typing = QApplication::focusWidget();
    QVERIFY(typing && control->isAncestorOf(typing));
    QTest::keyClick(typing, Qt::Key_A, Qt::ControlModifier);
    typeText(typing, text);
    if (leave) QTest::keyClick(typing, Qt::Key_Tab);
}

// The editor process the test kills: it opens the file, types into the field (leaving it
// or not) and keeps running until the kill; the recovery timer writes the copy meanwhile.
int editUntilKilled(const QString& file, const QString& field, bool leave) {
    EditorFixture fx(false);
    fx.window->file().OpenApplicationFile(file);
    const QString text = field == u"tytul_projektu"_s ? kEdited : kDescription;
    QTimer::singleShot(0, fx.window.get(), [&] { editField(fx, field, text, leave); });
    return fx.window->showModal();
}

QString lockOf(const QString& file) {
    return QFileInfo(file).dir().filePath(u'.' + QFileInfo(file).fileName() + u".lock"_s);
}

// Makes `path` a minute newer than now.
bool touchAhead(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                                         QFileDevice::FileModificationTime);
}

int modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

} // namespace

const struct Situation {
    const char *tag, *situation;
    bool edit;
    int offered;
} kSituations[] = {
    {"copy refused", "refuse", false, 1},
    {"copy older than the file: removed", "stale", false, 0},
    {"folder cannot take copies", "unwritable", true, 0},
    {"normal close", "close", true, 0},
    {"viewer", "view", true, 0},
};

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir_->filePath(u"stan"_s)));
        qputenv("TOPAZ_RECOVERY_INTERVAL_MS", "100");
        file_ = dir_->filePath(u"wniosek.xml"_s);
        QVERIFY(QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"), file_));
    }

    void cleanup() { dir_.reset(); }

    void cases_data() { caseRows(kSituations); }

    void cases() {
        const auto& [tag, name, edit, offered] = currentCase(kSituations);
        const QString situation = QLatin1String(name);
        const QString copy = copyOf(file_);
        if (situation == u"refuse"_s || situation == u"stale"_s) {
            // A copy that differs from the file, so a restore would show.
            QCOMPARE(RecoveryCopy::prepareFolder(), QString());
            QVERIFY(TestSupport::writeAll(
                copy, TestSupport::readAll(file_).replace("Zebrzydowa</ATRYBUT>",
                                                          "Zebrzydowa KOPIA</ATRYBUT>")));
            QVERIFY(touchAhead(situation == u"stale" ? file_ : copy));
        }
        if (situation == u"unwritable"_s) {
            QFile blocker(dir_->filePath(u"stan"_s));
            QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        }

        EditorFixture fx(false);
        fx.window->file().OpenApplicationFile(file_);
        if (situation == u"view"_s) fx.window->EnterViewMode();
        if (offered) fx.ui.queueAnswer(MessageResult::No); // the copy is refused
        QString titleAtShow, titleAfterEdit, statusLine;
        bool changedAfterEdit = false, copyBeforeClose = false;
        fx.runEditor(QString(), [&] {
            titleAtShow = fx.value("dsWniosek", "tytul_projektu");
            if (edit) editField(fx, u"tytul_projektu"_s, kEdited, true);
            fx.window->findChild<editor::RecoveryGuard*>()->writeIfChanged();
            titleAfterEdit = fx.value("dsWniosek", "tytul_projektu");
            changedAfterEdit = fx.dm->Zmieniony;
            statusLine = fx.window->findChild<QStatusBar*>()->currentMessage();
            copyBeforeClose = QFile::exists(copy);
            if (situation == u"close"_s) {
                fx.ui.clearCalls();
                fx.ui.queueAnswer(MessageResult::Yes); // close the editor
                fx.ui.queueAnswer(MessageResult::No);  // without saving
                fx.window->findChild<QAction*>(u"acZamknij"_s)->trigger();
            }
        });
        QVERIFY(!titleAtShow.contains(u"KOPIA"_s));
        if (edit && situation != u"view"_s) {
            QCOMPARE(titleAfterEdit, kEdited);
            QVERIFY(changedAfterEdit);
        }
        if (situation == u"unwritable"_s) {
            // One line in the status bar and nothing else: no message, data and flag intact.
            QVERIFY2(statusLine.startsWith(u"Nie można zapisać kopii zapasowej wniosku"_s),
                     qPrintable(statusLine));
        }
        if (situation == u"close"_s) QVERIFY(copyBeforeClose);
        QVERIFY(!QFile::exists(copy));
        if (situation != u"close"_s) QCOMPARE(fx.questions(), offered);
    }

    void killedEditorKeepsTheEdit_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("leave");
        QTest::newRow("title left") << u"tytul_projektu"_s << true;
        QTest::newRow("memo never left") << u"opis_projektu"_s << false;
    }

    // Two processes on one file: while the first editor lives, the second may only view the
    // file or cancel, and neither offers nor touches the first one's copy; once the first is
    // killed, its lock is taken over and its copy, typed text included, is offered.
    void killedEditorKeepsTheEdit() {
        QFETCH(QString, field);
        QFETCH(bool, leave);
        const QString copy = copyOf(file_);
        QProcess editor;
        editor.setProcessChannelMode(QProcess::ForwardedChannels);
        editor.start(QCoreApplication::applicationFilePath(),
                     {u"--edit-until-killed"_s, file_, field, leave ? u"leave"_s : u"stay"_s});
        QVERIFY(editor.waitForStarted());
        // The copy is renamed into place whole, so once it holds the text it can be read.
        QTRY_VERIFY_WITH_TIMEOUT(TestSupport::readAll(copy).contains("wpisany przed awari"), 20000);
        QCOMPARE(modeOf(copy), 0600);
        QCOMPARE(modeOf(QFileInfo(copy).absolutePath()), 0700);
        QCOMPARE(modeOf(lockOf(file_)), 0600);

        for (const MessageResult answer : {MessageResult::Cancel, MessageResult::Ok}) {
            EditorFixture second(false);
            second.ui.queueAnswer(answer);
            bool viewOnly = false;
            const int result =
                second.runEditor(file_, [&] { viewOnly = second.window->file().ViewOnly; });
            QCOMPARE(second.questions(), 1); // the choice, and no copy offered
            QVERIFY(second.ui.calls(UiCall::Kind::MessageBox)
                        .front()
                        .text.contains(u"jest już otwarty do edycji w innym oknie"_s));
            if (answer == MessageResult::Cancel) QCOMPARE(result, 0);
            QCOMPARE(viewOnly, answer == MessageResult::Ok);
            QVERIFY(QFile::exists(copy));
        }

        ::kill(pid_t(editor.processId()), SIGKILL);
        QVERIFY(editor.waitForFinished());
        QCOMPARE(editor.exitStatus(), QProcess::CrashExit);

        EditorFixture fx(false);
        fx.ui.queueAnswer(MessageResult::Yes);
        QString value;
        bool locked = false;
        // Opening the copy lets events through while it reads; it is in once Zmieniony is set.
        fx.runEditor(file_, [&] {
            QTRY_VERIFY_WITH_TIMEOUT(fx.dm->Zmieniony, 10000);
            value = fx.value("dsWniosek", field.toLatin1().constData());
            locked = QFile::exists(lockOf(file_));
        });
        QCOMPARE(fx.questions(), 1); // no lock question: the dead editor's lock is taken over
        const UiCall question = fx.ui.calls(UiCall::Kind::MessageBox).front();
        QCOMPARE(question.caption, u"Zelgor"_s);
        QVERIFY(question.text.startsWith(u"Znaleziono niezapisaną wersję tego wniosku z dnia "_s));
        QCOMPARE(value, leave ? kEdited : kDescription);
        QVERIFY(locked);
    }

    // A save removes the copy of the editor that saved, and no copy of another editor.
    void saveRemovesOwnCopyOnly() {
        const QString other = copyOf(dir_->filePath(u"inny.xml"_s));
        const QString livingNew = RecoveryCopy::newApplicationPath();
        QCOMPARE(RecoveryCopy::prepareFolder(), QString());
        QVERIFY(TestSupport::writeAll(other, "<WNIOSEK/>"));
        QVERIFY(TestSupport::writeAll(livingNew, "<WNIOSEK/>"));
        const std::unique_ptr<QLockFile> living = RecoveryCopy::own(livingNew);
        QVERIFY(living);

        EditorFixture fx(false);
        QString own;
        bool written = false, saved = false;
        fx.runEditor(file_, [&] {
            editField(fx, u"tytul_projektu"_s, kEdited, true);
            auto* guard = fx.window->findChild<editor::RecoveryGuard*>();
            guard->writeIfChanged();
            own = guard->ownCopy();
            written = QFile::exists(own);
            saved = fx.window->file().save();
        });
        QVERIFY(written && saved);
        QVERIFY(!QFile::exists(own));
        QVERIFY(QFile::exists(other) && QFile::exists(livingNew));
    }

    // A new application closed with "Tak" to saving and the save dialog cancelled: the close
    // goes ahead, the copy stays with the typed text, one line says so, and the next new
    // application offers it.
    void cancelledSaveKeepsTheCopy() {
        {
            EditorFixture fx(false);
            fx.window->file().chooseSavePath = [](const QString&, const QString&) {
                return std::optional<QString>();
            };
            fx.runEditor(QString(), [&] {
                editField(fx, u"opis_projektu"_s, kDescription, false);
                fx.ui.queueAnswer(MessageResult::Yes); // close
                fx.ui.queueAnswer(MessageResult::Yes); // save: then the dialog is cancelled
                fx.window->findChild<QAction*>(u"acZamknij"_s)->trigger();
            });
            const auto calls = fx.ui.calls(UiCall::Kind::MessageBox);
            QCOMPARE(calls.size(), qsizetype(3));
            QCOMPARE(calls.back().text, QStringLiteral("Zmian nie zapisano: kopia zapasowa wniosku "
                                                       "została zachowana i zostanie zaproponowana "
                                                       "przy następnym otwarciu."));
        }
        QCOMPARE(RecoveryCopy::orphanedNewApplicationCopies().size(), 1);
        EditorFixture next(false);
        next.ui.queueAnswer(MessageResult::Yes);
        QString restored;
        next.runEditor(QString(), [&] { restored = next.value("dsWniosek", "opis_projektu"); });
        QCOMPARE(next.questions(), 1);
        QCOMPARE(restored, kDescription);
    }

    // A close that arrives while the offered copy loads (the load lets events through) does
    // not remove the copy being read.
    void closeDuringRestoreKeepsTheCopy() {
        const QString copy = copyOf(file_);
        QCOMPARE(RecoveryCopy::prepareFolder(), QString());
        QVERIFY(QFile::copy(file_, copy) && touchAhead(copy));
        EditorFixture fx(false);
        fx.window->file().OpenApplicationFile(file_);
        fx.ui.queueAnswer(MessageResult::Yes); // restore
        fx.ui.queueAnswer(MessageResult::Yes); // close
        fx.ui.queueAnswer(MessageResult::No);  // without saving
        QMetaObject::invokeMethod(
            fx.window.get(), [&] { fx.window->close(); }, Qt::QueuedConnection);
        QTimer::singleShot(500, fx.window.get(), [&] { fx.window->done(2); });
        fx.window->showModal();
        QVERIFY(fx.questions() >= 2); // the close did arrive during the restore
        QVERIFY(QFile::exists(copy));
    }

private:
    QString copyOf(const QString& file) const { return RecoveryCopy::pathFor(file); }
    std::unique_ptr<QTemporaryDir> dir_;
    QString file_;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--edit-until-killed") == 0)
        return editUntilKilled(QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]),
                               qstrcmp(argv[4], "leave") == 0);
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
