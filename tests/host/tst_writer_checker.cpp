// Every file this program writes passes every check this program makes: each writer (the
// command line's new and resave, the editor's save and save-as, the recovery copy) against
// each checker (the checking exports, and topaz_q checksum, validate, print and import).
#include "host/invocation.h"
#include "tests/editor/editor_fixture.h"
#include "tests/editor/type_text.h"
#include "tests/test_support.h"

#include "editor/forms/frame_pages.h"
#include "editor/window/focus_control.h"
#include "editor/window/recovery_guard.h"
#include "file/application_file.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

using TestSupport::Run;

namespace {

const QString kTyped = u"Opis wpisany, pole nieopuszczone"_s;
const QString kSample = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");

// Types into the control of a field; with `leave` Tab moves on, else the focus stays.
void typeInto(editor::TfmWniosek& window, const char* field, const QString& text, bool leave) {
    QWidget* control = editor::findControlForField(&window, u"dsWniosek"_s, QLatin1String(field));
    QVERIFY(control);
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(editor::focusControl(control));
    QWidget* typing = QApplication::focusWidget();
    QVERIFY(typing);
    typeText(typing, text);
    if (leave) QTest::keyClick(typing, Qt::Key_Tab);
}

} // namespace

class TestWriterChecker : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        registry_ = dir_.filePath(u"registry.ini"_s);
        QVERIFY(TestSupport::writeAll(registry_, "[Zelgr]\nbin=" TOPAZ_EXAMPLES "\n"));
        qputenv("ZELGR_REGISTRY", registry_.toUtf8());
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir_.filePath(u"stan"_s)));
        qputenv("TOPAZ_RECOVERY_INTERVAL_MS", "3600000"); // copies only when the test asks
    }
    void matrix_data() {
        QTest::addColumn<QString>("writer");
        for (const char* w : {"new", "resave", "editor save", "editor save as", "recovery copy"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }
    // One row per writer; every checker is a column of the row, and all of them must agree
    // that the checksum holds.
    void matrix() {
        QFETCH(QString, writer);
        const QString file = write(writer, dir_.filePath(writer + u".xml"_s));
        QVERIFY2(!file.isEmpty(), "the writer wrote nothing");
        if (writer != u"new"_s && writer != u"resave"_s)
            QVERIFY2(TestSupport::readAll(file).contains("nieopuszczone"),
                     "the typed text is missing");

        QStringList failed;
        // The file is held to its checksum: same module version, so a tampered one would fail.
        const Run sum = topaz({u"checksum"_s, u"--json"_s, file});
        QVERIFY2(sum.out.contains(u"\"held\": true"_s), qPrintable(sum.out));
        if (sum.exitCode != 0) failed << u"checksum"_s;
        if (runExport(ExportKind::SprawdzSume, file) != 1) failed << u"SprawdzSume_"_s;
        if (runExport(ExportKind::SilentCrcCheck, file) != 1) failed << u"SilentCrcCheck_"_s;
        const int both = runExport(ExportKind::SilentValCrcCheck, file);
        if (both != 1 && both != 2) failed << u"SilentValCrcCheck_"_s;
        if (runExport(ExportKind::SilentValidate, file) != (both == 1 ? 1 : 0))
            failed << u"SilentValidate_"_s;
        const QString kTampered = u"suma kontrolna"_s;
        const Run validate = topaz({u"validate"_s, file});
        if (validate.out.contains(kTampered, Qt::CaseInsensitive) ||
            validate.err.contains(kTampered, Qt::CaseInsensitive))
            failed << u"validate"_s;
        const Run print = topaz({u"print"_s, u"--pdf"_s, dir_.filePath(writer + u".pdf"_s), file});
        if (print.exitCode > 1 || print.err.contains(kTampered, Qt::CaseInsensitive))
            failed << u"print"_s;
        const Run import =
            topaz({u"import"_s, u"--db"_s, dir_.filePath(writer + u".sqlite"_s), file});
        if (import.exitCode != 0 || import.out.contains(kTampered, Qt::CaseInsensitive))
            failed << u"import: "_s + import.out + import.err;
        QVERIFY2(failed.isEmpty(), qPrintable(writer + u" fails: "_s + failed.join(u", "_s)));
    }

private:
    Run topaz(const QStringList& words) {
        QStringList full = words;
        full.insert(1, QStringLiteral(TOPAZ_EXAMPLES));
        full.insert(1, u"--bin"_s);
        return TestSupport::runProgram(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"), full, registry_);
    }
    QString write(const QString& writer, const QString& out) {
        bool written = true;
        if (writer == u"new"_s) {
            written = topaz({u"new"_s, out}).exitCode == 0;
        } else if (writer == u"resave"_s) {
            written = topaz({u"resave"_s, kSample, out}).exitCode == 0;
        } else {
            // The editor on the sample (save) or on a new application; the typed memo is left,
            // except for the recovery copy, which takes what the focused memo shows.
            EditorFixture fx(false);
            if (writer == u"editor save"_s && QFile::copy(kSample, out))
                fx.window->file().OpenApplicationFile(out);
            QTimer::singleShot(0, fx.window.get(), [&] {
                typeInto(*fx.window, "opis_projektu", kTyped, writer != u"recovery copy"_s);
                if (writer == u"editor save"_s) {
                    written = fx.window->file().save();
                } else if (writer == u"editor save as"_s) {
                    written = fx.window->file().saveAs(out);
                } else {
                    auto* guard = fx.window->findChild<editor::RecoveryGuard*>();
                    guard->writeIfChanged();
                    QFile::copy(guard->ownCopy(), out);
                }
                fx.window->done(2);
            });
            fx.window->showModal();
        }
        return written && QFileInfo::exists(out) ? out : QString();
    }

    QTemporaryDir dir_;
    QString registry_;
};

QTEST_MAIN(TestWriterChecker)
#include "tst_writer_checker.moc"
