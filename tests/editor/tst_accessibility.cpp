// Every page read through QAccessible as a screen reader reads it: no control that takes
// the focus without a name, the help's words as descriptions, grid cells with their row
// and column, and a Tab order that follows the reading order of the page. Every control is
// bound, named and helped, and view mode reaches all of them: memos read-only, lookups off.
#include "frames_fixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleTableCellInterface>
#include <QHeaderView>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

using namespace editor;

namespace {

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

class TstAccessibility : public QObject {
    Q_OBJECT
    std::unique_ptr<AllPages> pages_;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        pages_ = std::make_unique<AllPages>();
        QVERIFY(pages_->show());
    }
    void everyPage_data();
    void everyPage();
    void everyControlIsBoundNamedAndHelped();
    void unknownPageStaysEmpty();
    void readOnlyModeReachesEveryControl();
};

void TstAccessibility::everyPage_data() {
    QTest::addColumn<QString>("page");
    for (const PageFrames& page : framePages())
        QTest::newRow(qPrintable(page.caption)) << page.caption;
}

void TstAccessibility::everyPage() {
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
            QVERIFY2(!iface->text(QAccessible::Description).isEmpty(), qPrintable(c->objectName()));
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
        QVERIFY2(cell->text(QAccessible::Description).contains(header), qPrintable(describe(view)));
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

void TstAccessibility::everyControlIsBoundNamedAndHelped() {
    int frames = 0;
    for (const PageFrames& p : framePages())
        frames += int(p.frames.size());
    QCOMPARE(pages_->filled, frames);
    const QList<DataControl*> controls = pages_->window->findChildren<DataControl*>();
    QVERIFY(!controls.isEmpty());
    for (DataControl* c : controls) {
        const QString name = c->objectName();
        QVERIFY2(!name.isEmpty() && !c->accessibleName().isEmpty(), qPrintable(name));
        QVERIFY2(c->property("helpTopic").toInt() > 0, qPrintable(name));
        if (c->row().table) QVERIFY2(c->link().table(), qPrintable(name));
        if (c->row().field) QVERIFY2(c->link().field(), qPrintable(name));
    }
}

void TstAccessibility::unknownPageStaysEmpty() {
    FramesFixture fx;
    FrameContext context{*fx.dm};
    QCOMPARE(fillPage(u"&Nie ma takiej"_s, fx.window.get(), context), 0);
    QCOMPARE(fillPage(u"&1 - 4"_s, nullptr, context), 0);
    QVERIFY(fx.window->findChildren<DataControl*>().isEmpty());
}

// In view mode a memo stays enabled (it scrolls) but is read-only, and a lookup is disabled;
// leaving it gives back what was enabled.
void TstAccessibility::readOnlyModeReachesEveryControl() {
    QWidget* root = pages_->window.get();
    const QList<DataControl*> controls = root->findChildren<DataControl*>();
    QList<QWidget*> enabled;
    for (DataControl* c : controls)
        if (c->editor() && c->editor()->isEnabled()) enabled << c->editor();
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

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
