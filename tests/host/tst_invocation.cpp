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
        int kind = 0; // in the order of ExportKind
        for (const char* name :
             {"NowyWniosek_", "EdytujWniosek_", "PodgladWniosku_", "DrukujWniosek_", "SprawdzSume_",
              "SilentCrcCheck_", "SilentPreview_", "SilentValidate_", "SilentValCrcCheck_"})
            QTest::newRow(name) << kind++;
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
