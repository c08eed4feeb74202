// The host's main window over a real folder of application files and the real module.
#include "launcher/launcher_window.h"
#include "platform/hostenv/hostregistry.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString kTitle =
    QString::fromUtf8("Przebudowa drogi krajowej nr 30 na odcinku Nowogrodziec – Zebrzydowa");

QByteArray readFile(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

class TestLauncherWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listsApplicationFiles_data();
    void listsApplicationFiles();
    void selectsTheFileSavedLast();
    void fileActionsNeedAFile();

private:
    QTreeWidgetItem* rowOf(LauncherWindow& window, const QString& fileName);

    QTemporaryDir folder_;
    QTemporaryDir empty_;
    ModuleLibrary module_;
};

void TestLauncherWindow::initTestCase() {
    const QString registry = folder_.filePath(QStringLiteral("registry.ini"));
    qputenv("ZELGR_REGISTRY", QFile::encodeName(registry));
    HostRegistry().writeString(HostRegistry::ValueBin, QStringLiteral(TOPAZ_BIN_DIR));
    QVERIFY2(module_.load(ModuleLibrary::modulePath(QStringLiteral(TOPAZ_BIN_DIR))),
             qPrintable(module_.errorText()));

    const QByteArray sample = readFile(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"));
    QVERIFY(sample.contains("Zebrzydowa</ATRYBUT>"));
    writeFile(folder_.filePath(QStringLiteral("przyklad.xml")), sample);
    QByteArray changed = sample;
    changed.replace("Zebrzydowa</ATRYBUT>", "Zebrzydowa II</ATRYBUT>");
    writeFile(folder_.filePath(QStringLiteral("zmieniony.xml")), changed);
    QByteArray untitled = sample;
    untitled.replace("Zebrzydowa</ATRYBUT>", "</ATRYBUT>");
    untitled.replace("Przebudowa drogi krajowej nr 30 na odcinku Nowogrodziec \x96 ", "");
    writeFile(folder_.filePath(QStringLiteral("bez-tytulu.xml")), untitled);
    writeFile(folder_.filePath(QStringLiteral("uciety.xml")), sample.left(sample.size() / 2));
    writeFile(folder_.filePath(QStringLiteral("katalog.xml")),
              "<?xml version=\"1.0\"?><KATALOG><WNIOSEK/></KATALOG>");
    writeFile(folder_.filePath(QStringLiteral("notatka.txt")), "<WNIOSEK/>");
}

QTreeWidgetItem* TestLauncherWindow::rowOf(LauncherWindow& window, const QString& fileName) {
    auto* list = window.findChild<QTreeWidget*>(QStringLiteral("lvWnioski"));
    for (int i = 0; list && i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(1) == fileName) return list->topLevelItem(i);
    return nullptr;
}

void TestLauncherWindow::listsApplicationFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("checksum");
    QTest::newRow("intact") << "przyklad.xml" << true << kTitle << "poprawna";
    QTest::newRow("changed outside") << "zmieniony.xml" << true << kTitle + " II"
                                     << "niepoprawna";
    QTest::newRow("no title") << "bez-tytulu.xml" << true << QString::fromUtf8("(bez tytułu)")
                              << "niepoprawna";
    QTest::newRow("truncated") << "uciety.xml" << true << kTitle << "plik uszkodzony";
    QTest::newRow("other root") << "katalog.xml" << false << QString() << QString();
    QTest::newRow("not xml") << "notatka.txt" << false << QString() << QString();
}

void TestLauncherWindow::listsApplicationFiles() {
    QFETCH(QString, file);
    QFETCH(bool, listed);
    QFETCH(QString, title);
    QFETCH(QString, checksum);
    LauncherWindow window(module_, folder_.path());
    QCOMPARE(window.objectName(), QStringLiteral("TfmLauncher"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Zelgor"));
    QTreeWidgetItem* row = rowOf(window, file);
    QCOMPARE(row != nullptr, listed);
    if (!row) return;
    QCOMPARE(row->text(0), title);
    QCOMPARE(row->text(3), checksum);
    QVERIFY(!row->text(2).isEmpty());
}

void TestLauncherWindow::selectsTheFileSavedLast() {
    const QString last = folder_.filePath(QStringLiteral("uciety.xml"));
    HostRegistry().writeString(HostRegistry::ValueLastFile, last);
    LauncherWindow window(module_, folder_.path());
    QCOMPARE(window.selectedFile(), last);
    HostRegistry().writeString(HostRegistry::ValueLastFile, QString());
}

void TestLauncherWindow::fileActionsNeedAFile() {
    LauncherWindow window(module_, empty_.path());
    QCOMPARE(window.selectedFile(), QString());
    for (const char* name : {"acEdytuj", "acPodglad", "acDrukuj", "acSprawdzSume", "acWaliduj"})
        QVERIFY2(!window.findChild<QAction*>(QLatin1String(name))->isEnabled(), name);
    QVERIFY(window.findChild<QAction*>(QStringLiteral("acNowyWniosek"))->isEnabled());
}

QTEST_MAIN(TestLauncherWindow)
#include "tst_launcher_window.moc"
