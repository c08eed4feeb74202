// The instruction generated from the frame and rule tables: "?" and F1 of every frame open
// that frame's topic; every rule's message is in the book, and formats and messages stand
// with their fields; the book's files, search, window and PDF; random searches against the
// search's own promise; a missing file named.
#include "editor/forms/builder/help_topic.h"
#include "editor/grid/year_grid_panel.h"
#include "editor/help/help_content.h"
#include "editor/help/help_window.h"
#include "frames_fixture.h"
#include "validation/rules_finance.h"
#include "validation/rules_project.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolButton>

using namespace editor;

namespace {

// Whether one row of the topic's field table holds both texts.
bool inOneRow(const help::HelpTopic& topic, const QString& a, const QString& b) {
    for (const QString& row : topic.body.split(QStringLiteral("<tr>"))) {
        const QString cells = QTextDocumentFragment::fromHtml(row).toPlainText().simplified();
        if (cells.contains(a) && cells.contains(b.simplified())) return true;
    }
    return false;
}

void addRuleRows(std::span<const ValidationRule> rules) {
    for (const ValidationRule& r : rules) {
        if (r.message && r.control)
            QTest::addRow("rule %s %s", r.number.isNumber() ? r.number.text() : "-", r.control)
                << QString::fromUtf8(r.message);
        addRuleRows(r.parts);
    }
}

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    // The PDF's font joins "fi" and "fl" into one glyph.
    return QString::fromUtf8(p.readAllStandardOutput())
        .replace(QStringLiteral("ﬁ"), QStringLiteral("fi"))
        .replace(QStringLiteral("ﬂ"), QStringLiteral("fl"))
        .simplified();
}

} // namespace

class TstHelp : public QObject {
    Q_OBJECT
    std::unique_ptr<AllPages> pages_;
    help::HelpBook book_;
    QList<int> opened_;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        book_ = generateHelpBook();
        pages_ = std::make_unique<AllPages>();
        QVERIFY(pages_->show());
        setHelpViewer([this](const QString&, int topic) {
            opened_ << topic;
            return true;
        });
        setHelpFile(QCoreApplication::applicationFilePath()); // any file that exists
    }
    void cleanupTestCase() {
        setHelpViewer({});
        setHelpFile({});
    }
    void everyFrameOpensItsTopic_data();
    void everyFrameOpensItsTopic();
    void ruleMessagesAreInTheBook_data();
    void ruleMessagesAreInTheBook();
    void formatsStandWithTheirFields_data();
    void formatsStandWithTheirFields();
    void filesSearchAndPdf();
    void windowSearchesAndMarks();
    void randomSearchesKeepTheirPromise();
    void missingFileIsNamed();
};

void TstHelp::everyFrameOpensItsTopic_data() {
    QTest::addColumn<int>("topic");
    QTest::addColumn<bool>("buttonShown");
    for (const PageFrames& page : framePages())
        for (const FrameDescription& frame : page.frames)
            for (const FramePanel& panel : frame.panels)
                QTest::addRow("%s %d", frame.className, panel.helpTopic)
                    << panel.helpTopic << !panel.helpButtonHidden;
}

void TstHelp::everyFrameOpensItsTopic() {
    QFETCH(int, topic);
    QFETCH(bool, buttonShown);
    const help::HelpTopic* t = book_.topic(topic);
    QVERIFY2(t && !t->title.isEmpty(), "the book has the topic");
    QVERIFY2(helpExplanations().count(topic), "the topic has its explanation");

    auto* button = pages_->window->findChild<QToolButton*>(QStringLiteral("help_%1").arg(topic));
    QVERIFY(button);
    QCOMPARE(button->isVisible(), buttonShown);
    auto* panel = qobject_cast<QFrame*>(button->parentWidget());
    QVERIFY(panel);
    if (buttonShown) {
        opened_.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(opened_, QList<int>{topic});
    }
    // F1 in the first control of the frame that takes the focus (the frame itself when
    // every control is disabled).
    QWidget* target = panel;
    for (DataControl* c : panel->findChildren<DataControl*>()) {
        QWidget* e = c->editor() ? c->editor() : c;
        if (e->isVisible() && e->isEnabled() && (e->focusPolicy() & Qt::TabFocus)) {
            target = e;
            break;
        }
    }
    if (target == panel) panel->setFocusPolicy(Qt::StrongFocus);
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    opened_.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(opened_, QList<int>{topic});
}

void TstHelp::ruleMessagesAreInTheBook_data() {
    QTest::addColumn<QString>("message");
    addRuleRows(projectApplicantRules());
    addRuleRows(financeScheduleRules());
}

void TstHelp::ruleMessagesAreInTheBook() {
    QFETCH(QString, message);
    if (QByteArray(QTest::currentDataTag()).endsWith(" e612003"))
        QSKIP("the impact indicators are not asked here: their grid is never shown");
    for (const help::HelpTopic& t : book_.topics())
        if (t.text.simplified().contains(message.simplified())) return;
    QFAIL(qPrintable(message));
}

void TstHelp::formatsStandWithTheirFields_data() {
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("format");
    const auto u = [](const char* text) { return QString::fromUtf8(text); };
    QTest::newRow("month") << 827010503 << u("1. Planowany termin rozpoczęcia realizacji projektu")
                           << u("\"mm rrrr\"");
    QTest::newRow("month column") << 827010503 << u("Data zakończenia realizacji")
                                  << u("\"mm rrrr\"");
    QTest::newRow("date") << 827010603 << u("Data pozyskania pomocy") << u("rrrr.mm.dd");
    QTest::newRow("NIP") << 827020101 << u("8. NIP") << u("000-000-00-00");
    QTest::newRow("NIP rule") << 827020101 << u("8. NIP") << u("Pole \"NIP\" musi być wypełnione");
    QTest::newRow("REGON") << 827020101 << u("9. REGON") << u("9 albo 14 cyfr");
    QTest::newRow("PESEL") << 827020201 << u("10. PESEL") << u("11 cyfr");
    QTest::newRow("postal code") << 827020101 << u("Kod pocztowy") << u("00-000");
    QTest::newRow("e-mail") << 500 << u("6. Adres poczty elektronicznej") << u("@");
    QTest::newRow("amount") << 827010603 << u("Kwota pomocy") << u("nie może być ujemna");
    QTest::newRow("year grid") << 614 << u("Dodaj rok") << u("Usuń rok");
}

void TstHelp::formatsStandWithTheirFields() {
    QFETCH(int, topic);
    QFETCH(QString, caption);
    QFETCH(QString, format);
    const help::HelpTopic* t = book_.topic(topic);
    QVERIFY(t);
    QVERIFY2(inOneRow(*t, caption, format) || QTest::currentDataTag() == QByteArray("year grid"),
             qPrintable(caption));
    QVERIFY(t->text.contains(caption) && t->text.contains(format));
}

void TstHelp::filesSearchAndPdf() {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("wn_typy/pomoc"));
    QVERIFY(book_.save(folder));
    help::HelpBook read;
    QString error;
    QVERIFY2(read.load(folder, &error), qPrintable(error));
    QCOMPARE(read.topics().size(), book_.topics().size());
    for (size_t i = 0; i < read.topics().size(); ++i) {
        QCOMPARE(read.topics()[i].number, book_.topics()[i].number);
        QCOMPARE(read.topics()[i].title, book_.topics()[i].title);
        QCOMPARE(read.topics()[i].text, book_.topics()[i].text);
    }
    QCOMPARE(read.topics().front().number, kWindowHelpTopic);
    QVERIFY(!read.load(dir.filePath(QStringLiteral("brak")), &error));
    QVERIFY(error.startsWith(QStringLiteral("Nie znaleziono pliku pomocy")));

    const std::vector<help::SearchHit> nip = book_.search(QStringLiteral("nip"));
    QVERIFY(std::any_of(nip.begin(), nip.end(), [](auto& h) { return h.topic == 827020101; }));
    QVERIFY(book_.search(QStringLiteral("  ")).empty());
    QVERIFY(book_.search(QStringLiteral("NIP zzyzzx")).empty());

    const QString pdf = dir.filePath(QStringLiteral("instrukcja.pdf"));
    QVERIFY2(book_.writePdf(pdf, &error), qPrintable(error));
    const QString text = pdfText(pdf);
    for (const help::HelpTopic& t : book_.topics())
        QVERIFY2(text.contains(t.title.left(30).simplified()), qPrintable(t.title));
    QVERIFY(text.contains(QStringLiteral("rrrr.mm.dd")));
    QVERIFY(!book_.writePdf(dir.filePath(QStringLiteral("brak/x.pdf")), &error));
}

void TstHelp::windowSearchesAndMarks() {
    QTemporaryDir dir;
    QVERIFY(book_.save(dir.path()));
    QString error;
    QVERIFY(!help::HelpWindow::open(dir.filePath(QStringLiteral("brak")), 605, nullptr, &error));
    help::HelpWindow* window = help::HelpWindow::open(dir.path(), 605, nullptr, &error);
    QVERIFY2(window, qPrintable(error));
    QCOMPARE(window->currentTopic(), 605);
    auto* index = window->findChild<QListWidget*>(QStringLiteral("helpIndex"));
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    QCOMPARE(index->count(), int(book_.topics().size()));
    QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("helpSearch")),
                     QStringLiteral("NIP"));
    const auto hits = book_.search(QStringLiteral("NIP"));
    QCOMPARE(index->count(), int(hits.size()));
    QCOMPARE(window->currentTopic(), hits.front().topic);
    QVERIFY(!browser->extraSelections().isEmpty());
    QCOMPARE(browser->extraSelections().front().cursor.selectedText().toLower(),
             QStringLiteral("nip"));
    index->setCurrentRow(index->count() - 1);
    QCOMPARE(window->currentTopic(), hits.back().topic);
    // An unknown topic opens the first one rather than nothing.
    QCOMPARE(help::HelpWindow::open(dir.path(), 42, nullptr)->currentTopic(), kWindowHelpTopic);
    // Asked from another window (the editor over the launcher), the help belongs to that one.
    QWidget editorWindow;
    help::HelpWindow* owned = help::HelpWindow::open(dir.path(), 605, &editorWindow);
    QVERIFY(owned && owned != window && owned->parentWidget() == &editorWindow);
    QCOMPARE(owned->currentTopic(), 605);
}

// Queries of words taken from the topics, sometimes with a word that is nowhere: every hit
// holds every word, every topic left out misses one, the most hits come first.
void TstHelp::randomSearchesKeepTheirPromise() {
    const quint32 seed = qEnvironmentVariableIsSet("TOPAZ_SEED")
                             ? quint32(qEnvironmentVariableIntValue("TOPAZ_SEED"))
                             : QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    const QString replay = QStringLiteral("TOPAZ_SEED=%1").arg(seed);
    for (int i = 0; i < 300; ++i) {
        QStringList query;
        const int words = 1 + int(random.bounded(3));
        for (int w = 0; w < words; ++w) {
            const auto& t = book_.topics()[random.bounded(quint32(book_.topics().size()))];
            const QStringList all = help::searchWords(t.text);
            query << (random.bounded(8) == 0 ? QStringLiteral("qqxq")
                                             : all[random.bounded(int(all.size()))]);
        }
        const auto hits = book_.search(query.join(u' '));
        QSet<int> hit;
        for (size_t h = 0; h < hits.size(); ++h) {
            hit.insert(hits[h].topic);
            QVERIFY2(h == 0 || hits[h - 1].count >= hits[h].count, qPrintable(replay));
        }
        for (const help::HelpTopic& t : book_.topics()) {
            const QString text = (t.title + u'\n' + t.text).toLower();
            bool all = true;
            for (const QString& w : help::searchWords(query.join(u' ')))
                all = all && text.contains(w);
            QVERIFY2(all == hit.contains(t.number), qPrintable(replay + u' ' + query.join(u' ')));
        }
    }
}

// Without its file the help names the file that is missing, with the topic, and opens nothing.
void TstHelp::missingFileIsNamed() {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("TOPAZ_Q.hlp"));
    setHelpFile(missing);
    const auto restore = qScopeGuard([] { setHelpFile(QCoreApplication::applicationFilePath()); });
    opened_.clear();
    pages_->ui.clearCalls();
    QTest::mouseClick(pages_->window->findChild<QToolButton*>(QStringLiteral("help_827010204")),
                      Qt::LeftButton);
    QCOMPARE(
        pages_->ui.shownTexts(),
        QStringList{QStringLiteral("Nie znaleziono pliku pomocy \"%1\".\nTemat pomocy: 827010204.")
                        .arg(QDir::toNativeSeparators(missing))});
    QVERIFY(opened_.isEmpty());
}

QTEST_MAIN(TstHelp)
#include "tst_help.moc"
