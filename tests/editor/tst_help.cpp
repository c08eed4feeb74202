// The pages of frames read as a user and a screen reader read them. The instruction
// generated from the frame and rule tables: "?" and F1 of every frame open that frame's
// topic; every rule's message is in the book, and formats and messages stand with their
// fields; the book's files, search, window and PDF; random searches against the search's own
// promise; a missing file named. Through QAccessible: no control that takes the focus
// without a name, the help's words as descriptions, grid cells with their row and column,
// and a Tab order that follows the reading order of the page; every control is bound, named
// and helped, and view mode reaches all of them: memos read-only, lookups off.
#include "editor/grid/year_grid_panel.h"
#include "editor/help/help_content.h"
#include "editor/help/help_window.h"
#include "frames_fixture.h"
#include "validation/rules_finance.h"
#include "validation/rules_project.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolButton>

using namespace Qt::StringLiterals;

using namespace editor;

namespace {

// Whether one row of the topic's field table holds both texts.
bool inOneRow(const help::HelpTopic& topic, const QString& a, const QString& b) {
    for (const QString& row : topic.body.split(u"<tr>"_s)) {
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
    p.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    p.waitForFinished(60000);
    // The PDF's font joins "fi" and "fl" into one glyph.
    return QString::fromUtf8(p.readAllStandardOutput())
        .replace(u"ﬁ"_s, u"fi"_s)
        .replace(u"ﬂ"_s, u"fl"_s)
        .simplified();
}

bool takesFocus(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible() &&
           w->isEnabled();
}

QString describe(const QWidget* w) {
    QString path = w->objectName();
    for (const QWidget* p = w->parentWidget(); p && path.size() < 80; p = p->parentWidget())
        if (!p->objectName().isEmpty()) path = p->objectName() + u'/' + path;
    return path + u" (%1)"_s.arg(QLatin1String(w->metaObject()->className()));
}

// Where a widget stands on the page, for messages.
QString at(const QWidget* w, const QWidget* root) {
    const QPoint p = w->mapTo(root, QPoint(0, 0));
    return describe(w) + u" at (%1,%2)"_s.arg(p.x()).arg(p.y());
}

// Interfaces below `iface` that take the focus and have no name.
void unnamed(QAccessibleInterface* iface, QStringList& out, int depth = 0) {
    if (!iface || depth > 40) return;
    const QAccessible::State state = iface->state();
    if (state.focusable && !state.invisible && !state.disabled &&
        iface->role() != QAccessible::Cell && iface->role() != QAccessible::ColumnHeader &&
        iface->role() != QAccessible::RowHeader && iface->text(QAccessible::Name).isEmpty()) {
        QWidget* w = qobject_cast<QWidget*>(iface->object());
        out << (w ? describe(w) : u"role %1"_s.arg(int(iface->role())));
    }
    // A table's cells are checked on their own below.
    if (iface->tableInterface()) return;
    for (int i = 0; i < iface->childCount(); ++i)
        unnamed(iface->child(i), out, depth + 1);
}

} // namespace

class TstHelp : public QObject {
    Q_OBJECT
    std::unique_ptr<AllPages> pages_;
    help::HelpBook book_;
    OpenedTopics opened_; // made after the application, as QTEST_MAIN makes the test

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        book_ = generateHelpBook();
        pages_ = std::make_unique<AllPages>();
        QVERIFY(pages_->show());
    }

    void everyPage_data() {
        QTest::addColumn<QString>("page");
        for (const PageFrames& page : framePages())
            QTest::newRow(qPrintable(page.caption)) << page.caption;
    }

    void everyPage() {
        QFETCH(QString, page);
        QWidget* root = pages_->window->findChild<QWidget*>(page, Qt::FindDirectChildrenOnly);
        QVERIFY(root);

        QStringList missing;
        unnamed(QAccessible::queryAccessibleInterface(root), missing);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u"\n"_s)));

        // Data controls with a format in the help carry it as their description.
        int described = 0;
        for (DataControl* c : root->findChildren<DataControl*>())
            if (c->row().kind == ControlKind::Date || c->row().kind == ControlKind::MaskEdit) {
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(c->editor());
                QVERIFY2(!iface->text(QAccessible::Description).isEmpty(),
                         qPrintable(c->objectName()));
                ++described;
            }

        // A cell reads its column and its row.
        for (auto* view : root->findChildren<QAbstractItemView*>()) {
            if (!view->isVisible() || qobject_cast<QHeaderView*>(view) || !view->model() ||
                view->model()->rowCount() == 0)
                continue;
            QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
            QVERIFY2(table && table->tableInterface(), qPrintable(describe(view)));
            QAccessibleInterface* cell = table->tableInterface()->cellAt(0, 0);
            for (int c = 0; !cell || cell->text(QAccessible::Description).isEmpty(); ++c) {
                if (c >= table->tableInterface()->columnCount()) break;
                cell = table->tableInterface()->cellAt(0, c);
            }
            QVERIFY2(cell && !cell->text(QAccessible::Description).isEmpty(),
                     qPrintable(describe(view)));
            const QString header = view->model()
                                       ->headerData(cell->tableCellInterface()->columnIndex(),
                                                    Qt::Horizontal, Qt::DisplayRole)
                                       .toString();
            QVERIFY2(cell->text(QAccessible::Description).contains(header),
                     qPrintable(describe(view)));
        }

        // Tab goes through the page as it is read: down the page, and left to right in a line.
        QList<QWidget*> order;
        QWidget* first = nullptr;
        for (QWidget* w : root->findChildren<QWidget*>())
            if (takesFocus(w)) {
                first = w;
                break;
            }
        if (!first) return;
        for (QWidget* w = first; w;) {
            order << w;
            QWidget* next = w->nextInFocusChain();
            while (next != first && !(takesFocus(next) && root->isAncestorOf(next)))
                next = next->nextInFocusChain();
            w = next == first ? nullptr : next;
        }
        const int tolerance = 12;
        for (int i = 1; i < order.size(); ++i) {
            const QPoint a = order[i - 1]->mapTo(root, QPoint(0, 0));
            const QPoint b = order[i]->mapTo(root, QPoint(0, 0));
            const bool down = b.y() > a.y() + tolerance;
            const bool rightInLine = qAbs(b.y() - a.y()) <= tolerance && b.x() > a.x();
            QVERIFY2(down || rightInLine || order[i - 1]->isAncestorOf(order[i]),
                     qPrintable(at(order[i - 1], root) + u" before "_s + at(order[i], root)));
        }
    }

    // Every frame filled (an unknown page or no panel none), every control bound, named and
    // helped. In view mode a memo stays enabled (it scrolls) but is read-only, and a lookup is
    // disabled; leaving it gives back what was enabled.
    void everyControlIsBoundAndReadOnlyInViewMode() {
        int frames = 0;
        for (const PageFrames& p : framePages())
            frames += int(p.frames.size());
        QCOMPARE(pages_->filled, frames);
        FrameContext context{*pages_->dm};
        QWidget other;
        QCOMPARE(fillPage(u"&Nie ma takiej"_s, &other, context) +
                     fillPage(u"&1 - 4"_s, nullptr, context),
                 0);
        QVERIFY(other.findChildren<DataControl*>().isEmpty());
        QWidget* root = pages_->window.get();
        const QList<DataControl*> controls = root->findChildren<DataControl*>();
        QList<QWidget*> enabled;
        for (DataControl* c : controls) {
            const QByteArray name = c->objectName().toLatin1();
            QVERIFY2(!name.isEmpty() && !c->accessibleName().isEmpty(), name);
            QVERIFY2(c->property("helpTopic").toInt() > 0, name);
            QVERIFY2((!c->row().table || c->link().table()) &&
                         (!c->row().field || c->link().field()),
                     name);
            if (c->editor() && c->editor()->isEnabled()) enabled << c->editor();
        }
        setDataControlsReadOnly(root, true);
        for (DataControl* c : controls) {
            QVERIFY2(c->isViewOnly() && c->isReadOnly(), qPrintable(c->objectName()));
            if (auto* memo = qobject_cast<QPlainTextEdit*>(c->editor()))
                QVERIFY2(memo->isReadOnly() && (memo->isEnabled() || !enabled.contains(memo)),
                         qPrintable(c->objectName()));
            if (c->row().kind == ControlKind::Lookup)
                QVERIFY2(!c->editor()->isEnabled(), qPrintable(c->objectName()));
        }
        setDataControlsReadOnly(root, false);
        for (QWidget* e : enabled)
            QVERIFY2(e->isEnabled(), qPrintable(describe(e)));
        auto* title = root->findChild<DataControl*>(u"dxDBEdit1"_s);
        QVERIFY(title && !title->isReadOnly());
    }

    void everyFrameOpensItsTopic_data() {
        QTest::addColumn<int>("topic");
        QTest::addColumn<bool>("buttonShown");
        for (const PageFrames& page : framePages())
            for (const FrameDescription& frame : page.frames)
                for (const FramePanel& panel : frame.panels)
                    QTest::addRow("%s %d", frame.className, panel.helpTopic)
                        << panel.helpTopic << !panel.helpButtonHidden;
    }

    void everyFrameOpensItsTopic() {
        QFETCH(int, topic);
        QFETCH(bool, buttonShown);
        const help::HelpTopic* t = book_.topic(topic);
        QVERIFY2(t && !t->title.isEmpty(), "the book has the topic");
        QVERIFY2(helpExplanations().count(topic), "the topic has its explanation");

        auto* button = pages_->window->findChild<QToolButton*>(u"help_%1"_s.arg(topic));
        QVERIFY(button);
        QCOMPARE(button->isVisible(), buttonShown);
        auto* panel = qobject_cast<QFrame*>(button->parentWidget());
        QVERIFY(panel);
        if (buttonShown) {
            opened_.topics.clear();
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(opened_.topics, QList<int>{topic});
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
        opened_.topics.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(opened_.topics, QList<int>{topic});
    }

    void ruleMessagesAreInTheBook_data() {
        QTest::addColumn<QString>("message");
        addRuleRows(projectApplicantRules());
        addRuleRows(financeScheduleRules());
    }

    void ruleMessagesAreInTheBook() {
        QFETCH(QString, message);
        if (QByteArray(QTest::currentDataTag()).endsWith(" e612003"))
            QSKIP("the impact indicators are not asked here: their grid is never shown");
        for (const help::HelpTopic& t : book_.topics())
            if (t.text.simplified().contains(message.simplified())) return;
        QFAIL(qPrintable(message));
    }

    void formatsStandWithTheirFields_data() {
        columns({"topic", "caption", "format"});
        row("month",
            {"827010503", "1. Planowany termin rozpoczęcia realizacji projektu", "\"mm rrrr\""});
        row("month column", {"827010503", "Data zakończenia realizacji", "\"mm rrrr\""});
        row("date", {"827010603", "Data pozyskania pomocy", "rrrr.mm.dd"});
        row("NIP", {"827020101", "8. NIP", "000-000-00-00"});
        row("NIP rule", {"827020101", "8. NIP", "Pole \"NIP\" musi być wypełnione"});
        row("e-mail", {"500", "6. Adres poczty elektronicznej", "@"});
        row("amount", {"827010603", "Kwota pomocy", "nie może być ujemna"});
        row("year grid", {"614", "Dodaj rok", "Usuń rok"});
    }

    void formatsStandWithTheirFields() {
        QFETCH(QString, topic);
        QFETCH(QString, caption);
        QFETCH(QString, format);
        const help::HelpTopic* t = book_.topic(topic.toInt());
        QVERIFY(t);
        QVERIFY2(inOneRow(*t, caption, format) ||
                     QTest::currentDataTag() == QByteArray("year grid"),
                 qPrintable(caption));
        QVERIFY(t->text.contains(caption) && t->text.contains(format));
    }

    // The book saved and read back, searched, shown in its window (which marks the hits) and
    // printed to PDF; a missing folder or PDF path is an error, not a crash.
    void filesWindowAndPdf() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"wn_typy/pomoc"_s);
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
        QVERIFY(!read.load(dir.filePath(u"brak"_s), &error));
        QVERIFY(error.startsWith(u"Nie znaleziono pliku pomocy"_s));
        QVERIFY(book_.search(u"  "_s).empty());

        QVERIFY(!help::HelpWindow::open(dir.filePath(u"brak"_s), 605, nullptr, &error));
        help::HelpWindow* window = help::HelpWindow::open(folder, 605, nullptr, &error);
        QVERIFY2(window, qPrintable(error));
        QCOMPARE(window->currentTopic(), 605);
        auto* index = window->findChild<QListWidget*>(u"helpIndex"_s);
        auto* browser = window->findChild<QTextBrowser*>(u"helpBrowser"_s);
        QCOMPARE(index->count(), int(book_.topics().size()));
        QTest::keyClicks(window->findChild<QLineEdit*>(u"helpSearch"_s), u"NIP"_s);
        const auto hits = book_.search(u"NIP"_s);
        QVERIFY(
            std::any_of(hits.begin(), hits.end(), [](auto& h) { return h.topic == 827020101; }));
        QCOMPARE(index->count(), int(hits.size()));
        QCOMPARE(window->currentTopic(), hits.front().topic);
        QVERIFY(!browser->extraSelections().isEmpty());
        QCOMPARE(browser->extraSelections().front().cursor.selectedText().toLower(), u"nip"_s);
        index->setCurrentRow(index->count() - 1);
        QCOMPARE(window->currentTopic(), hits.back().topic);
        // An unknown topic opens the first one rather than nothing.
        QCOMPARE(help::HelpWindow::open(folder, 42, nullptr)->currentTopic(), kWindowHelpTopic);
        // Asked from another window (the editor over the launcher), the help belongs to that one.
        QWidget editorWindow;
        help::HelpWindow* owned = help::HelpWindow::open(folder, 605, &editorWindow);
        QVERIFY(owned && owned != window && owned->parentWidget() == &editorWindow);
        QCOMPARE(owned->currentTopic(), 605);

        const QString pdf = dir.filePath(u"instrukcja.pdf"_s);
        QVERIFY2(book_.writePdf(pdf, &error), qPrintable(error));
        const QString text = pdfText(pdf);
        for (const help::HelpTopic& t : book_.topics())
            QVERIFY2(text.contains(t.title.left(30).simplified()), qPrintable(t.title));
        QVERIFY(text.contains(u"rrrr.mm.dd"_s));
        QVERIFY(!book_.writePdf(dir.filePath(u"brak/x.pdf"_s), &error));
    }

    // Queries of words taken from the topics, sometimes with a word that is nowhere: every hit
    // holds every word, every topic left out misses one, the most hits come first.
    void randomSearchesKeepTheirPromise() {
        const quint32 seed = testSeed();
        QRandomGenerator random(seed);
        const QString replay = u"TOPAZ_SEED=%1"_s.arg(seed);
        for (int i = 0; i < 300; ++i) {
            QStringList query;
            const int words = 1 + int(random.bounded(3));
            for (int w = 0; w < words; ++w) {
                const auto& t = book_.topics()[random.bounded(quint32(book_.topics().size()))];
                const QStringList all = help::searchWords(t.text);
                query << (random.bounded(8) == 0 ? u"qqxq"_s
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
                QVERIFY2(all == hit.contains(t.number),
                         qPrintable(replay + u' ' + query.join(u' ')));
            }
        }
    }

    // Without its file the help names the file that is missing, with the topic, and opens nothing.
    void missingFileIsNamed() {
        QTemporaryDir dir;
        const QString missing = dir.filePath(u"TOPAZ_Q.hlp"_s);
        setHelpFile(missing);
        const auto restore =
            qScopeGuard([] { setHelpFile(QCoreApplication::applicationFilePath()); });
        opened_.topics.clear();
        pages_->ui.clearCalls();
        QTest::mouseClick(pages_->window->findChild<QToolButton*>(u"help_827010204"_s),
                          Qt::LeftButton);
        QCOMPARE(pages_->ui.shownTexts(),
                 QStringList{u"Nie znaleziono pliku pomocy \"%1\".\nTemat pomocy: 827010204."_s.arg(
                     QDir::toNativeSeparators(missing))});
        QVERIFY(opened_.topics.isEmpty());
    }
};

QTEST_MAIN(TstHelp)
#include "tst_help.moc"
