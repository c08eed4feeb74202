// The host's main window over a real folder of application files and the real module.
#include "launcher/launcher_window.h"
#include "platform/hostenv/hostregistry.h"
#include "platform/ui/translations.h"
#include "tests/test_support.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString kTitle = u"Przebudowa drogi krajowej nr 30 na odcinku Nowogrodziec – Zebrzydowa"_s;

using TestSupport::readAll;

void writeFile(const QString& path, const QByteArray& data, int secondsAhead = 0) {
    QVERIFY(TestSupport::writeAll(path, data));
    QFile f(path);
    if (secondsAhead)
        QVERIFY(f.open(QIODevice::ReadWrite) &&
                f.setFileTime(QDateTime::currentDateTime().addSecs(secondsAhead),
                              QFileDevice::FileModificationTime));
}

// Waits until the window has read every listed file in the background.
bool settled(const LauncherWindow& window) {
    QDeadlineTimer deadline(60000);
    while (window.isChecking() && !deadline.hasExpired())
        QTest::qWait(10);
    return !window.isChecking();
}

// Runs `fn` after the current event: it may open the next modal window.
template <typename F> void later(QObject* target, F fn) {
    QMetaObject::invokeMethod(target, fn, Qt::QueuedConnection);
}

} // namespace

// The sample with a second place of realisation, "Zebrzydowa", after the first.
QByteArray withSecondPlace(QByteArray xml) {
    const qsizetype table = xml.indexOf("<TABELA nazwa=\"PLO_LOKALIZACJE_PROJEKTOW\">");
    const qsizetype begin = xml.indexOf("<WIERSZ>", table);
    const qsizetype end = xml.indexOf("</WIERSZ>", begin) + 9;
    QByteArray row = xml.mid(begin, end - begin);
    row.replace("nrW=\"1\"", "nrW=\"2\"")
        .replace("nrW=\"2\">1<", "nrW=\"2\">2<") // Lp.
        .replace("Miejscowosc\" nrW=\"2\">Nowogrodziec<", "Miejscowosc\" nrW=\"2\">Zebrzydowa<");
    // The row also carries the application's area, which has one record.
    const qsizetype area = row.indexOf("<ATRYBUT nazwa=\"LPR_TYP_OBSZARU\"");
    row.remove(area, row.indexOf("</ATRYBUT>", area) + 10 - area);
    return xml.insert(end, row);
}

class TestLauncherWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The module's recovery copies and settings go below the test's own folder.
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"})
            qputenv(name, QFile::encodeName(home_.path()));
        const QString registry = folder_.filePath(u"registry.ini"_s);
        qputenv("ZELGR_REGISTRY", QFile::encodeName(registry));
        HostRegistry().writeString(HostRegistry::ValueBin, QStringLiteral(TOPAZ_BIN_DIR));
        polish_ = installPolishTranslations();
        QVERIFY(polish_);
        QVERIFY2(module_.load(ModuleLibrary::modulePath(QStringLiteral(TOPAZ_BIN_DIR))),
                 qPrintable(module_.errorText()));

        sample_ = readAll(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"));
        writeFile(folder_.filePath(u"przyklad.xml"_s), sample_);
        QByteArray untitled = sample_;
        untitled.replace("Zebrzydowa</ATRYBUT>", "</ATRYBUT>");
        untitled.replace("Przebudowa drogi krajowej nr 30 na odcinku Nowogrodziec \x96 ", "");
        writeFile(folder_.filePath(u"bez-tytulu.xml"_s), untitled);
        writeFile(folder_.filePath(u"uciety.xml"_s), sample_.left(sample_.size() / 2));
        writeFile(folder_.filePath(u"katalog.xml"_s),
                  "<?xml version=\"1.0\"?><KATALOG><WNIOSEK/></KATALOG>");
        writeFile(folder_.filePath(u"notatka.txt"_s), "<WNIOSEK/>");
    }
    void listsApplicationFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("checksum");
        QTest::newRow("intact") << "przyklad.xml" << true << kTitle << "poprawna";
        QTest::newRow("no title") << "bez-tytulu.xml" << true << u"(bez tytułu)"_s << "niepoprawna";
        QTest::newRow("truncated") << "uciety.xml" << true << kTitle << "plik uszkodzony";
        QTest::newRow("other root") << "katalog.xml" << false << QString() << QString();
        QTest::newRow("not xml") << "notatka.txt" << false << QString() << QString();
    }
    void listsApplicationFiles() {
        QFETCH(QString, file);
        QFETCH(bool, listed);
        QFETCH(QString, title);
        QFETCH(QString, checksum);
        LauncherWindow window(module_, folder_.path());
        // Listed at once, read in the background.
        QVERIFY(rowOf(window, file) || !listed);
        QVERIFY(settled(window));
        QTreeWidgetItem* row = rowOf(window, file);
        QCOMPARE(row != nullptr, listed);
        if (!row) return;
        QCOMPARE(row->text(0), title);
        QCOMPARE(row->text(3), checksum);
        QVERIFY(!row->text(2).isEmpty());
    }
    // The file saved last is selected; without a file only "Nowy wniosek" is enabled.
    void selectionAndFileActions() {
        const QString last = folder_.filePath(u"uciety.xml"_s);
        HostRegistry().writeString(HostRegistry::ValueLastFile, last);
        QCOMPARE(LauncherWindow(module_, folder_.path()).selectedFile(), last);
        HostRegistry().writeString(HostRegistry::ValueLastFile, QString());
        LauncherWindow window(module_, empty_.path());
        QCOMPARE(window.selectedFile(), QString());
        for (const char* name : {"acEdytuj", "acPodglad", "acDrukuj", "acSprawdzSume", "acWaliduj"})
            QVERIFY2(!window.findChild<QAction*>(QLatin1String(name))->isEnabled(), name);
        QVERIFY(window.findChild<QAction*>(u"acNowyWniosek"_s)->isEnabled());
    }
    // "Nowy wniosek" as a user goes through it with the real module: the window hides while
    // the editor is shown, the editor saves through its save dialog (which opens in the
    // registry folder) and is closed, and the window comes back with the new file listed.
    void newApplicationIsListedAfterSaving() {
        QTemporaryDir applications;
        HostRegistry().writeString(HostRegistry::ValueApplications, applications.path());
        LauncherWindow window(module_, applications.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The user takes the name the dialog proposes.
        const QString saved = applications.filePath(u"wniosek001.xml"_s);
        QString dialogFolder;
        QStringList boxes;
        bool hiddenWhileEditing = false;
        int step = 0; // 0 editor shown, 1 saving, 2 saved, 3 closing
        QTimer user;
        connect(&user, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible()) return;
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                boxes << box->text();
                QAbstractButton* yes = box->button(QMessageBox::Yes);
                QAbstractButton* button =
                    yes ? yes : static_cast<QAbstractButton*>(box->defaultButton());
                if (button) later(button, [button] { button->click(); });
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && step == 1) {
                step = 2;
                dialogFolder = dialog->directory().absolutePath();
                later(dialog, [dialog] { static_cast<QDialog*>(dialog)->accept(); });
            } else if (modal->objectName() == u"fmWniosek"_s && (step == 0 || step == 2)) {
                hiddenWhileEditing = step == 0 ? !window.isVisible() : hiddenWhileEditing;
                QAction* action =
                    modal->findChild<QAction*>(QLatin1String(step == 0 ? "acZapisz" : "acZamknij"));
                step = step == 0 ? 1 : 3;
                later(action, [action] { action->trigger(); });
            }
        });
        user.start(20);
        window.findChild<QAction*>(u"acNowyWniosek"_s)->trigger();
        user.stop();
        QCOMPARE(step, 3);
        QVERIFY(hiddenWhileEditing);
        QCOMPARE(dialogFolder, QFileInfo(applications.path()).absoluteFilePath());
        QVERIFY2(boxes.size() == 1, qPrintable(boxes.join(u'|'))); // only "close?"
        QVERIFY(window.isVisible());
        QVERIFY(settled(window));
        QTreeWidgetItem* row = rowOf(window, u"wniosek001.xml"_s);
        QVERIFY(row);
        QCOMPARE(row->text(3), u"poprawna"_s);
        QCOMPARE(window.selectedFile(), saved);
    }
    // A file changed on disk is read again at the next listing; the others come from memory.
    void changedFilesAreReadAgain() {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"a.xml"_s);
        writeFile(path, sample_);
        writeFile(folder.filePath(u"b.xml"_s), sample_);
        LauncherWindow window(module_, folder.path());
        QVERIFY(settled(window));
        writeFile(path,
                  QByteArray(sample_).replace("Zebrzydowa</ATRYBUT>", "Zebrzydowa III</ATRYBUT>"),
                  5);
        window.refresh();
        QVERIFY(window.isChecking());
        QCOMPARE(rowOf(window, u"b.xml"_s)->text(3), u"poprawna"_s);
        QCOMPARE(rowOf(window, u"a.xml"_s)->text(3), u"sprawdzanie…"_s);
        QVERIFY(settled(window));
        QCOMPARE(rowOf(window, u"a.xml"_s)->text(3), u"niepoprawna"_s);
        QCOMPARE(rowOf(window, u"a.xml"_s)->text(0), kTitle + " III");
        window.refresh();
        QVERIFY(!window.isChecking());
    }
    // Two files picked with the mouse (click, Ctrl+click) and "Porównaj" clicked: the window lists
    // what the newer one changed, in the editor's words; a double click on the difference opens
    // the newer file read-only with the control of the changed value focused on its page, on the
    // changed row of a list.
    void compareOpensTheDifference_data() {
        QTest::addColumn<bool>("twoPlaces");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QStringList>("shown");  // section, caption, row, old, new
        QTest::addColumn<QStringList>("opened"); // control, pages, grid row and column
        QTest::newRow("main record")
            << false << QByteArray("Zebrzydowa</ATRYBUT>") << QByteArray("Zebrzydowa II</ATRYBUT>")
            << QStringList{u"6. Projekt"_s, u"Tytuł Projektu"_s, QString(), kTitle, kTitle + " II"}
            << QStringList{u"tytul_projektu"_s, u"P&rojekt"_s, u"&6 - 6e"_s};
        QTest::newRow("list row") << true << QByteArray("nrW=\"2\">Zebrzydowa<")
                                  << QByteArray("nrW=\"2\">Zebrzydowa Dolna<")
                                  << QStringList{u"6d. Miejsce realizacji Projektu"_s,
                                                 u"Miejscowość"_s, u"2"_s, u"Zebrzydowa"_s,
                                                 u"Zebrzydowa Dolna"_s}
                                  << QStringList{u"e604003"_s, u"P&rojekt"_s, u"&6 - 6e"_s, u"1"_s,
                                                 u"Miejscowość"_s};
    }
    void compareOpensTheDifference() {
        QFETCH(bool, twoPlaces);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, opened);
        QTemporaryDir folder;
        const QByteArray sample = twoPlaces ? withSecondPlace(sample_) : sample_;
        writeFile(folder.filePath(u"a.xml"_s), sample);
        // The newer file is the changed one.
        writeFile(folder.filePath(u"b.xml"_s), QByteArray(sample).replace(from, to), 60);
        LauncherWindow window(module_, folder.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(settled(window));
        auto* list = window.findChild<QTreeWidget*>(u"lvWnioski"_s);
        QAction* compare = window.findChild<QAction*>(u"acPorownaj"_s);
        const auto click = [&](const QString& file, Qt::KeyboardModifiers keys) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, keys,
                              list->visualItemRect(rowOf(window, file)).center());
        };
        click(u"b.xml"_s, Qt::NoModifier);
        QVERIFY(!compare->isEnabled());
        click(u"a.xml"_s, Qt::ControlModifier);
        QVERIFY(compare->isEnabled());
        QDialog* comparison = nullptr;
        connect(&window, &LauncherWindow::comparisonShown, this,
                [&](QDialog* w) { comparison = w; });
        auto* toolBar = window.findChild<QToolBar*>(u"tbWnioski"_s);
        QTest::mouseClick(toolBar->widgetForAction(compare), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(comparison, 60000);
        auto* differences = comparison->findChild<QTreeWidget*>(u"lvRoznice"_s);
        QCOMPARE(differences->topLevelItemCount(), 1);
        QTreeWidgetItem* difference = differences->topLevelItem(0);
        QStringList texts;
        for (int c = 0; c < 5; ++c)
            texts << difference->text(c);
        QCOMPARE(texts, shown);
        QVERIFY(comparison->findChild<QLabel*>(u"lbPliki"_s)
                    ->text()
                    .contains(u"Nowszy: b.xml (suma kontrolna niepoprawna)"_s));

        // What the viewer shows when it opens (read-only); then it is closed.
        QStringList seen;
        QString openedFile;
        bool readOnly = false;
        QTimer user;
        connect(&user, &QTimer::timeout, [&] {
            QWidget* editor = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(editor)) { // "close the editor?"
                QAbstractButton* yes = box->defaultButton();
                later(yes, [yes] { yes->click(); });
                return;
            }
            if (!editor || editor->objectName() != u"fmWniosek"_s || !seen.isEmpty()) return;
            QWidget* focus = editor->focusWidget();
            QString control;
            for (QWidget* w = focus; w && w != editor; w = w->parentWidget()) {
                if (w->inherits("editor::DataControl") && control.isEmpty())
                    control = w->objectName();
                if (auto* tabs = qobject_cast<QTabWidget*>(w))
                    seen.prepend(tabs->tabText(tabs->currentIndex()));
            }
            seen.prepend(control);
            if (auto* grid = qobject_cast<QAbstractItemView*>(focus)) {
                const QModelIndex cell = grid->currentIndex();
                seen << QString::number(cell.row())
                     << grid->model()->headerData(cell.column(), Qt::Horizontal).toString();
                readOnly = !(grid->model()->flags(cell) & Qt::ItemIsEditable);
            } else {
                readOnly = focus && focus->property("readOnly").toBool();
            }
            for (const QLabel* panel : editor->findChild<QStatusBar*>()->findChildren<QLabel*>())
                openedFile += panel->text() + u'|';
            QAction* close = editor->findChild<QAction*>(u"acZamknij"_s);
            later(close, [close] { close->trigger(); });
        });
        user.start(20);
        QVERIFY(QTest::qWaitForWindowExposed(comparison));
        const QPoint at = differences->visualItemRect(difference).center();
        // The first click of the double click, as a mouse sends it.
        QTest::mouseClick(differences->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(differences->viewport(), Qt::LeftButton, {}, at);
        user.stop();
        QCOMPARE(seen, opened);
        QVERIFY(readOnly);
        QVERIFY2(openedFile.contains(QDir::toNativeSeparators(folder.filePath(u"b.xml"_s))),
                 qPrintable(openedFile));
        // The place lasted for that one call.
        QCOMPARE(HostRegistry().readString(QLatin1String(HostRegistry::ValueShowPlace)), QString());
        comparison->close();
    }

private:
    QTreeWidgetItem* rowOf(LauncherWindow& window, const QString& fileName) {
        auto* list = window.findChild<QTreeWidget*>(u"lvWnioski"_s);
        for (int i = 0; list && i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(1) == fileName) return list->topLevelItem(i);
        return nullptr;
    }

    std::unique_ptr<QTranslator> polish_;
    QByteArray sample_;
    QTemporaryDir home_;
    QTemporaryDir folder_;
    QTemporaryDir empty_;
    ModuleLibrary module_;
};

QTEST_MAIN(TestLauncherWindow)
#include "tst_launcher_window.moc"
