// The recovery copy as a user meets it: a refused copy, a stale copy, a folder that cannot
// take copies, a normal close and the viewer.
#include "editor_fixture.h"

#include "editor/forms/frame_pages.h"
#include "editor/window/recovery_guard.h"
#include "file/application_file.h"
#include "file/recovery_copy.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

const QString kEdited = QStringLiteral("Tytuł wpisany przed awarią");

// Types the title into its control and leaves it, as a user does; without a control on the
// pages the value goes into the table as the control would put it.
void editTitle(EditorFixture& fx) {
    QWidget* control = editor::findControlForField(fx.window.get(), QStringLiteral("dsWniosek"),
                                                   QStringLiteral("tytul_projektu"));
    if (control && (qobject_cast<QLineEdit*>(control) || qobject_cast<QPlainTextEdit*>(control))) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(control, kEdited);
        QTest::keyClick(control, Qt::Key_Tab);
        return;
    }
    DataSet& main = fx.dm->table(QStringLiteral("dsWniosek"));
    main.edit();
    main.field(QStringLiteral("tytul_projektu")).setValue(kEdited);
    main.post();
    fx.dm->Zmieniony = true;
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cases_data();
    void cases();

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

    EditorFixture fx;
    fx.window->file().OpenApplicationFile(file_);
    if (situation == QLatin1String("view")) fx.window->EnterViewMode();
    if (offered) fx.ui.queueAnswer(MessageResult::No); // the copy is refused
    QString titleAtShow;
    QTimer::singleShot(0, fx.window.get(), [&] {
        titleAtShow = fx.value("dsWniosek", "tytul_projektu");
        if (edit) editTitle(fx);
        fx.window->findChild<editor::RecoveryGuard*>()->writeIfChanged();
        if (situation == QLatin1String("unwritable")) {
            // One line in the status bar and nothing else: no message, data and flag intact.
            QVERIFY(fx.window->findChild<QStatusBar*>()->currentMessage().startsWith(
                QStringLiteral("Nie można zapisać kopii zapasowej wniosku")));
            QCOMPARE(fx.value("dsWniosek", "tytul_projektu"), kEdited);
            QVERIFY(fx.dm->Zmieniony);
        }
        if (situation == QLatin1String("close")) {
            QVERIFY(QFile::exists(copy));
            fx.ui.clearCalls();
            fx.ui.queueAnswer(MessageResult::Yes); // close the editor
            fx.ui.queueAnswer(MessageResult::No);  // without saving
            fx.window->findChild<QAction*>(QStringLiteral("acZamknij"))->trigger();
            return;
        }
        fx.window->done(2);
    });
    fx.window->showModal();
    QCOMPARE(QFile::exists(copy), copyLeft);
    if (situation != QLatin1String("close")) QCOMPARE(fx.questions(), offered);
    QVERIFY(!titleAtShow.contains(QStringLiteral("KOPIA")));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
