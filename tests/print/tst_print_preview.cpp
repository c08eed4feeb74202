// The preview and print dialogs of the editor's print actions, offscreen: the preview is
// modal, maximized, at 85 % and shows every page; the print dialog stays on top and
// prints nothing when cancelled.
#include "examples/generator/sample_application.h"
#include "print/print_dialogs.h"
#include "tests/model/module_fixture.h"
#include "tests/print/pdf_text.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestPrintPreview : public QObject {
    Q_OBJECT

private slots:
    void dialogs_data() {
        QTest::addColumn<bool>("preview");
        QTest::newRow("preview") << true;
        QTest::newRow("print dialog") << false;
    }
    void dialogs() {
        QFETCH(bool, preview);
        ModuleFixture m;
        QVERIFY(m.dm->SprawdzSlownik());
        SampleApplication::fill(*m.dm);
        const PrintMarks marks{true, u"1111-2222-3333-4444"_s};

        bool seen = false;
        int pages = 0;
        double zoom = 0;
        bool maximized = false, onTop = false, modal = false;
        // The dialog runs its own event loop: it is inspected and closed from a timer.
        QTimer probe;
        probe.setInterval(50);
        connect(&probe, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) return;
            seen = true;
            modal = w->isModal();
            onTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            maximized = w->windowState().testFlag(Qt::WindowMaximized);
            if (auto* view = w->findChild<QPrintPreviewWidget*>()) {
                pages = view->pageCount();
                zoom = view->zoomFactor();
            }
            probe.stop();
            static_cast<QDialog*>(w)->reject();
        });
        probe.start();
        showPrintOutput(preview ? PrintDevice::Screen : PrintDevice::Printer, *m.dm, marks,
                        nullptr);
        QVERIFY(seen);
        QVERIFY(modal);
        if (preview) {
            QVERIFY(maximized);
            QVERIFY(!onTop);
            QVERIFY(pages > 3);
            QCOMPARE(qRound(zoom * 100), 85);
        } else {
            QVERIFY(onTop);
        }
    }
    // A printer cannot change its page layout within a document: the landscape pages are
    // drawn turned on portrait paper, and the page count stays that of the PDF.
    void printerTurnsLandscapePages() {
        ModuleFixture m;
        QVERIFY(m.dm->SprawdzSlownik());
        SampleApplication::fill(*m.dm);
        QTemporaryDir dir;
        const PrintMarks marks{false, u"1111-2222-3333-4444"_s};
        const QString direct = dir.filePath(u"direct.pdf"_s);
        int pages = 0;
        QVERIFY(writeApplicationPdf(*m.dm, marks, direct, &pages));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString turned = dir.filePath(u"turned.pdf"_s);
        printer.setOutputFileName(turned);
        QCOMPARE(
            renderApplication(*m.dm, marks, printer, ReportRenderer::PageTurn::OnPortraitPaper),
            pages);
        QCOMPARE(PdfText::orientations(turned), QString(pages, u'P'));
        QVERIFY(PdfText::orientations(direct).contains(u'L'));
        // The turned pages carry the same numbering.
        const QStringList text = PdfText::pages(turned);
        QCOMPARE(text.size(), pages);
        QVERIFY(text.last().contains(u"strona %1/%1"_s.arg(pages)));
        if (qEnvironmentVariableIsSet("TOPAZ_KEEP_PDF"))
            QFile::copy(turned, qgetenv("TOPAZ_KEEP_PDF"));
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_print_preview.moc"
