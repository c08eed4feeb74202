// The lifecycle of one export: common start, gate, common end with nothing left behind.
#include "host/invocation.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestInvocation : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyExportFreesBothObjects_data();
    void everyExportFreesBothObjects();
    void interactiveKinds();

private:
    QTemporaryDir dir_;
};

void TestInvocation::init() {
    // The host folder comes from the registry: a file of our own naming the examples.
    const QString reg = dir_.filePath(QStringLiteral("registry.ini"));
    QFile f(reg);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Zelgr]\nbin=" TOPAZ_EXAMPLES "\n");
    f.close();
    qputenv("ZELGR_REGISTRY", reg.toUtf8());
}

void TestInvocation::cleanup() {
    qunsetenv("ZELGR_REGISTRY");
}

void TestInvocation::everyExportFreesBothObjects_data() {
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

void TestInvocation::everyExportFreesBothObjects() {
    QFETCH(int, kind);
    QVERIFY(invocationObjectsFreed());
    runExport(ExportKind(kind), dir_.filePath(QStringLiteral("brak.xml")));
    QVERIFY(invocationObjectsFreed());
}

void TestInvocation::interactiveKinds() {
    QVERIFY(isInteractive(ExportKind::NowyWniosek));
    QVERIFY(isInteractive(ExportKind::DrukujWniosek));
    QVERIFY(!isInteractive(ExportKind::SprawdzSume));
    QVERIFY(!isInteractive(ExportKind::SilentPreview));
}

QTEST_GUILESS_MAIN(TestInvocation)
#include "tst_invocation.moc"
