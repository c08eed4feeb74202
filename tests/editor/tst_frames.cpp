// Every frame table against the data module and the rule tables: each row names an
// existing table and field, each control the rules lead to exists under its name and is
// the one bound to the rule's field, every control is bound, named for screen readers and
// carries its section's help topic; the help buttons and F1 open that topic.
#include "../model/module_fixture.h"
#include "editor/forms/builder/help_topic.h"
#include "editor/forms/frame_pages.h"
#include "editor/forms/frames/frame_registry.h"
#include "frames_fixture.h"
#include "validation/rules_finance.h"
#include "validation/rules_project.h"

#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

using namespace editor;

namespace {

void collectRows(const std::vector<ControlRow>& rows, std::vector<const ControlRow*>& out) {
    for (const ControlRow& r : rows) {
        out.push_back(&r);
        collectRows(r.children, out);
    }
}

std::vector<const ControlRow*> allRows(const FrameDescription& frame) {
    std::vector<const ControlRow*> rows;
    for (const FramePanel& panel : frame.panels)
        collectRows(panel.rows, rows);
    return rows;
}

} // namespace

class TestFrames : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void rowsNameExistingFields();
    void everyControlIsBoundNamedAndHelped();
    void ruleControlsExistAndAreBoundToTheRuleField_data();
    void ruleControlsExistAndAreBoundToTheRuleField();
    void unknownPageStaysEmpty();
    void readOnlyModeReachesEveryControl();
    void helpButtonAndF1();
};

void TestFrames::rowsNameExistingFields() {
    ModuleFixture fx;
    int checked = 0;
    for (const PageFrames& page : framePages()) {
        QVERIFY2(!page.frames.empty(), qPrintable(page.caption));
        for (const FrameDescription& frame : page.frames) {
            for (const ControlRow* row : allRows(frame)) {
                const QString where = QStringLiteral("%1/%2").arg(frame.className, row->name);
                if (!row->table) continue;
                DataSet* table = fx.dm->findTable(QLatin1String(row->table));
                QVERIFY2(table, qPrintable(where));
                if (row->field) {
                    const Field* f = table->findField(QLatin1String(row->field));
                    QVERIFY2(f, qPrintable(where + u' ' + QLatin1String(row->field)));
                    if (row->kind == ControlKind::Lookup)
                        QVERIFY2(f->kind() == FieldKind::Lookup &&
                                     fx.dm->findTable(f->definition().lookupDataSet),
                                 qPrintable(where));
                }
                for (const ColumnRow& c : row->columns)
                    QVERIFY2(table->findField(QLatin1String(c.field)),
                             qPrintable(where + u' ' + QLatin1String(c.field)));
                for (const Cascade& c : {row->cascade})
                    if (c.isSet()) {
                        DataSet* dictionary = fx.dm->findTable(QLatin1String(c.dictionary));
                        QVERIFY2(dictionary && dictionary->findField(QLatin1String(c.keyField)),
                                 qPrintable(where));
                        QVERIFY2(fx.dm->table(QLatin1String(c.parentTable))
                                     .findField(QLatin1String(c.parentField)),
                                 qPrintable(where));
                    }
                ++checked;
            }
        }
    }
    QVERIFY(checked > 0);
}

void TestFrames::everyControlIsBoundNamedAndHelped() {
    AllPages pages;
    QCOMPARE(pages.filled, [] {
        int n = 0;
        for (const PageFrames& p : framePages())
            n += int(p.frames.size());
        return n;
    }());
    const QList<DataControl*> controls = pages.window->findChildren<DataControl*>();
    QVERIFY(!controls.isEmpty());
    for (DataControl* c : controls) {
        const QString name = c->objectName();
        QVERIFY2(!name.isEmpty() && !c->accessibleName().isEmpty(), qPrintable(name));
        QVERIFY2(c->property("helpTopic").toInt() > 0, qPrintable(name));
        if (c->row().table) QVERIFY2(c->link().table(), qPrintable(name));
        if (c->row().field) QVERIFY2(c->link().field(), qPrintable(name));
    }
}

// Every rule whose field is shown on a filled page leads to a control of its name, and
// that control is the first one bound to the field.
void TestFrames::ruleControlsExistAndAreBoundToTheRuleField_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("control");
    QSet<QString> described;
    for (const PageFrames& page : framePages())
        for (const FrameDescription& frame : page.frames)
            for (const ControlRow* row : allRows(frame))
                described.insert(QLatin1String(row->name));
    ModuleFixture fx;
    QWidget root;
    int rows = 0;
    for (auto rules : {projectApplicantRules(), financeScheduleRules()})
        for (const ValidationRule& rule : rules) {
            if (!rule.control) continue;
            const QString control = QLatin1String(rule.control);
            const QString table = rule.table ? QLatin1String(rule.table) : QString();
            const QString field = rule.field ? QLatin1String(rule.field) : QString();
            // Rules of pages filled elsewhere are not this table's business. A rule names
            // its field, else only its control (names like dxDBEdit1 recur on other pages).
            bool onFilledPage = table.isEmpty() && described.contains(control);
            for (const PageFrames& page : framePages())
                for (const FrameDescription& frame : page.frames)
                    for (const ControlRow* row : allRows(frame))
                        if (row->table &&
                            table.compare(QLatin1String(row->table), Qt::CaseInsensitive) == 0 &&
                            ((row->field &&
                              field.compare(QLatin1String(row->field), Qt::CaseInsensitive) == 0) ||
                             (!row->field && (row->kind == ControlKind::Grid ||
                                              row->kind == ControlKind::RepeatingPanel))))
                            onFilledPage = true;
            if (!onFilledPage) continue;
            QTest::addRow("rule %s %s", rule.number.isNumber() ? rule.number.text() : "-",
                          rule.control)
                << table << field << control;
            ++rows;
        }
    if (rows == 0) QSKIP("no rule leads to the filled pages");
}

void TestFrames::ruleControlsExistAndAreBoundToTheRuleField() {
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QString, control);
    AllPages pages;
    auto* named = pages.window->findChild<DataControl*>(control);
    QVERIFY2(named, qPrintable(control));
    if (!table.isEmpty()) {
        QWidget* bound = findControlForField(pages.window.get(), table, field);
        QVERIFY(bound);
        QCOMPARE(bound->objectName(), control);
    }
}

void TestFrames::unknownPageStaysEmpty() {
    FramesFixture fx;
    FrameContext context{*fx.dm};
    QCOMPARE(fillPage(QStringLiteral("&Nie ma takiej"), fx.window.get(), context), 0);
    QCOMPARE(fillPage(QStringLiteral("&1 - 4"), nullptr, context), 0);
    QVERIFY(fx.window->findChildren<DataControl*>().isEmpty());
}

void TestFrames::readOnlyModeReachesEveryControl() {
    AllPages pages;
    setDataControlsReadOnly(pages.window.get(), true);
    for (DataControl* c : pages.window->findChildren<DataControl*>())
        QVERIFY2(c->isViewOnly() && c->isReadOnly(), qPrintable(c->objectName()));
    setDataControlsReadOnly(pages.window.get(), false);
    auto* title = pages.window->findChild<DataControl*>(QStringLiteral("dxDBEdit1"));
    QVERIFY(title && !title->isReadOnly());
}

// Without a help file the user is told which file is missing; with one, the viewer gets
// the section's topic, from the button and from F1 on a control.
void TestFrames::helpButtonAndF1() {
    AllPages pages;
    QVERIFY(pages.show());
    QTemporaryDir dir;
    setHelpFile(dir.filePath(QStringLiteral("TOPAZ_Q.hlp")));
    QList<int> opened;
    setHelpViewer([&opened](const QString&, int topic) {
        opened << topic;
        return true;
    });
    auto* button = pages.window->findChild<QToolButton*>(QStringLiteral("help_827010204"));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(pages.ui.shownTexts().size(), 1);
    QVERIFY(
        pages.ui.shownTexts().first().startsWith(QStringLiteral("Nie znaleziono pliku pomocy")));
    QVERIFY(opened.isEmpty());

    QFile file(dir.filePath(QStringLiteral("TOPAZ_Q.hlp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QTest::mouseClick(button, Qt::LeftButton);
    auto* control = pages.window->findChild<DataControl*>(QStringLiteral("e200001"));
    control->editor()->setFocus();
    QTRY_VERIFY(control->editor()->hasFocus());
    QTest::keyClick(control->editor(), Qt::Key_F1);
    QCOMPARE(opened, (QList<int>{827010204, 200}));
    setHelpViewer({});
    setHelpFile({});
}

QTEST_MAIN(TestFrames)
#include "tst_frames.moc"
