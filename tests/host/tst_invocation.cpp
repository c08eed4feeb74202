// The lifecycle of one export: common start, gate, common end with nothing left behind.
#include "host/invocation.h"
#include "tests/test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestInvocation : public QObject {
    Q_OBJECT
private slots:
    void init() {
        // The host folder comes from the registry: a file of our own naming the examples.
        const QString reg = dir_.filePath(u"registry.ini"_s);
        QVERIFY(TestSupport::writeAll(reg, "[Zelgr]\nbin=" TOPAZ_EXAMPLES "\n"));
        qputenv("ZELGR_REGISTRY", reg.toUtf8());
    }
    void cleanup() { qunsetenv("ZELGR_REGISTRY"); }
    void everyExportFreesBothObjects_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("NowyWniosek_") << int(ExportKind::NowyWniosek);
        QTest::newRow("EdytujWniosek_") << int(ExportKind::EdytujWniosek);
        QTest::newRow("PodgladWniosku_") << int(ExportKind::PodgladWniosku);
        QTest::newRow("DrukujWniosek_") << int(ExportKind::DrukujWniosek);
        QTest::newRow("SprawdzSume_") << int(ExportKind::SprawdzSume);
        QTest::newRow("SilentCrcCheck_") << int(ExportKind::SilentCrcCheck);
        QTest::newRow("SilentPreview_") << int(ExportKind::SilentPreview);
        QTest::newRow("SilentValidate_") << int(ExportKind::SilentValidate);
        QTest::newRow("SilentValCrcCheck_") << int(ExportKind::SilentValCrcCheck);
    }
    void everyExportFreesBothObjects() {
        QFETCH(int, kind);
        QVERIFY(invocationObjectsFreed());
        runExport(ExportKind(kind), dir_.filePath(u"brak.xml"_s));
        QVERIFY(invocationObjectsFreed());
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestInvocation)
#include "tst_invocation.moc"
