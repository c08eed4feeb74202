// The recovery copy as a user meets it: a refused copy, a stale copy, a folder that cannot
// take copies, a normal close and the viewer.
#include "editor_fixture.h"
#include "type_text.h"

#include "editor/forms/frame_pages.h"
#include "editor/window/focus_control.h"
#include "editor/window/recovery_guard.h"
#include "file/application_file.h"
#include "file/recovery_copy.h"

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <functional>

namespace {

const QString kEdited = QStringLiteral("Tytuł wpisany przed awarią");

// Types the title into its control and leaves it, as a user does.
void editTitle(EditorFixture& fx) {
    QWidget* control = editor::findControlForField(fx.window.get(), QStringLiteral("dsWniosek"),
                                                   QStringLiteral("tytul_projektu"));
    QVERIFY(control);
    fx.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fx.window.get()));
    QVERIFY(editor::focusControl(control)); // shows its page first
    QWidget* typing = QApplication::focusWidget();
    QVERIFY(typing && control->isAncestorOf(typing));
    QTest::keyClick(typing, Qt::Key_A, Qt::ControlModifier);
    typeText(typing, kEdited);
    QTest::keyClick(typing, Qt::Key_Tab);
}

// The editor process the test kills: it opens the file, types the title and keeps running
// until the kill; the recovery timer writes the copy meanwhile.
int editUntilKilled(const QString& file) {
    EditorFixture fx(false);
    fx.window->file().OpenApplicationFile(file);
    QTimer::singleShot(0, fx.window.get(), [&] { editTitle(fx); });
    return fx.window->showModal();
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cases_data();
    void cases();
    void killedEditorKeepsTheEdit();

private:
    QString copyOf(const QString& file) const { return RecoveryCopy::pathFor(file); }
    std::unique_ptr<QTemporaryDir> dir_;
    QString file_;
};

void TestRecovery::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_STATE_HOME", QFile::encodeName(dir_->filePath(QStringLiteral("stan"))));
    qputenv("TOPAZ_RECOVERY_INTERVAL_MS", "100");
    file_ = dir_->filePath(QStringLiteral("wniosek.xml"));
    QVERIFY(QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"), file_));
}

void TestRecovery::cleanup() {
    dir_.reset();
}

void TestRecovery::cases_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("offered");
    QTest::addColumn<bool>("copyLeft");
    QTest::newRow("copy refused") << "refuse" << false << 1 << false;
    QTest::newRow("copy older than the file") << "stale" << false << 0 << true;
    QTest::newRow("folder cannot take copies") << "unwritable" << true << 0 << false;
    QTest::newRow("normal close") << "close" << true << 0 << false;
    QTest::newRow("viewer") << "view" << true << 0 << false;
}

void TestRecovery::cases() {
    QFETCH(QString, situation);
    QFETCH(bool, edit);
    QFETCH(int, offered);
    QFETCH(bool, copyLeft);
    const QString copy = copyOf(file_);
    if (situation == QLatin1String("refuse") || situation == QLatin1String("stale")) {
        // A copy that differs from the file, so a restore would show.
        QFile in(file_);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QVERIFY(QDir().mkpath(QFileInfo(copy).absolutePath()));
        QFile out(copy);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(in.readAll().replace("Zebrzydowa</ATRYBUT>", "Zebrzydowa KOPIA</ATRYBUT>"));
        out.close();
        QFile newer(situation == QLatin1String("stale") ? file_ : copy);
        QVERIFY(newer.open(QIODevice::ReadWrite));
        newer.setFileTime(QDateTime::currentDateTime().addSecs(60),
                          QFileDevice::FileModificationTime);
    }
    if (situation == QLatin1String("unwritable")) {
        QFile blocker(dir_->filePath(QStringLiteral("stan")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    }

    EditorFixture fx(false);
    fx.window->file().OpenApplicationFile(file_);
    if (situation == QLatin1String("view")) fx.window->EnterViewMode();
    if (offered) fx.ui.queueAnswer(MessageResult::No); // the copy is refused
    QString titleAtShow, titleAfterEdit, statusLine;
    bool changedAfterEdit = false, copyBeforeClose = false;
    QTimer::singleShot(0, fx.window.get(), [&] {
        titleAtShow = fx.value("dsWniosek", "tytul_projektu");
        if (edit) editTitle(fx);
        fx.window->findChild<editor::RecoveryGuard*>()->writeIfChanged();
        titleAfterEdit = fx.value("dsWniosek", "tytul_projektu");
        changedAfterEdit = fx.dm->Zmieniony;
        statusLine = fx.window->findChild<QStatusBar*>()->currentMessage();
        copyBeforeClose = QFile::exists(copy);
        if (situation == QLatin1String("close")) {
            fx.ui.clearCalls();
            fx.ui.queueAnswer(MessageResult::Yes); // close the editor
            fx.ui.queueAnswer(MessageResult::No);  // without saving
            fx.window->findChild<QAction*>(QStringLiteral("acZamknij"))->trigger();
            return;
        }
        fx.window->done(2);
    });
    fx.window->showModal();
    QVERIFY(!titleAtShow.contains(QStringLiteral("KOPIA")));
    if (edit && situation != QLatin1String("view")) {
        QCOMPARE(titleAfterEdit, kEdited);
        QVERIFY(changedAfterEdit);
    }
    if (situation == QLatin1String("unwritable")) {
        // One line in the status bar and nothing else: no message, data and flag intact.
        QVERIFY2(statusLine.startsWith(QStringLiteral("Nie można zapisać kopii zapasowej wniosku")),
                 qPrintable(statusLine));
    }
    if (situation == QLatin1String("close")) QVERIFY(copyBeforeClose);
    QCOMPARE(QFile::exists(copy), copyLeft);
    if (situation != QLatin1String("close")) QCOMPARE(fx.questions(), offered);
}

void TestRecovery::killedEditorKeepsTheEdit() {
    const QString copy = copyOf(file_);
    QProcess editor;
    editor.setProcessChannelMode(QProcess::ForwardedChannels);
    editor.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--edit-until-killed"), file_});
    QVERIFY(editor.waitForStarted());
    // The copy is renamed into place whole, so once it is there it can be read.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), 20000);
    ::kill(pid_t(editor.processId()), SIGKILL);
    QVERIFY(editor.waitForFinished());
    QCOMPARE(editor.exitStatus(), QProcess::CrashExit);

    EditorFixture fx(false);
    fx.window->file().OpenApplicationFile(file_);
    fx.ui.queueAnswer(MessageResult::Yes);
    QString title;
    bool changed = false;
    // Opening the copy lets events through while it reads; the check waits until the copy
    // is in (Zmieniony is set last) so that it runs in the editor's own loop.
    int tries = 0;
    std::function<void()> checkWhenRestored = [&] {
        if (!fx.dm->Zmieniony && ++tries < 500) {
            QTimer::singleShot(20, fx.window.get(), checkWhenRestored);
            return;
        }
        title = fx.value("dsWniosek", "tytul_projektu");
        changed = fx.dm->Zmieniony;
        fx.window->done(2);
    };
    QTimer::singleShot(0, fx.window.get(), checkWhenRestored);
    fx.window->showModal();
    QCOMPARE(fx.questions(), 1);
    const UiCall question = fx.ui.calls(UiCall::Kind::MessageBox).front();
    QCOMPARE(question.caption, QStringLiteral("Zelgor"));
    QVERIFY(question.text.startsWith(
        QStringLiteral("Znaleziono niezapisaną wersję tego wniosku z dnia ")));
    QCOMPARE(title, kEdited);
    QVERIFY(changed);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--edit-until-killed") == 0)
        return editUntilKilled(QString::fromLocal8Bit(argv[2]));
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
