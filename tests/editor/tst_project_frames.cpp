// The frames of the project page driven by keys and clicks: the location grid with its
// cascading columns and the whole-country flag, the choices on one field, the schedule's
// public aid and procurement blocks.
#include "editor/forms/controls/check_control.h"
#include "editor/forms/controls/dataset_model.h"
#include "editor/forms/controls/grid_control.h"
#include "editor/forms/controls/navigator_control.h"
#include "editor/forms/controls/repeating_panel.h"
#include "frames_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

using namespace Qt::StringLiterals;

using namespace editor;

namespace {

// Opens the cell editor of a grid cell and returns its drop-down list, if it has one.
QComboBox* cellList(GridControl* grid, int row, int column) {
    const QModelIndex index = grid->model()->index(row, column);
    grid->view()->setCurrentIndex(index);
    grid->view()->edit(index);
    return grid->view()->findChild<QComboBox*>(u"cellList"_s);
}

void closeCell(GridControl* grid, QWidget* editor, bool commit) {
    QTest::keyClick(editor, commit ? Qt::Key_Return : Qt::Key_Escape);
    QTRY_VERIFY(!grid->view()->findChild<QComboBox*>(u"cellList"_s));
}

} // namespace

class TestProjectFrames : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    // The powiat column lists nothing before a województwo is chosen, then only its powiats;
    // ending the cell edit switches the dictionary's filter off. Navigator clicks set the
    // whole-country flag from the number of places; the grid's own append by moving down does
    // not touch it.
    void locationGrid() {
        PageFixture fx("&6 - 6e");
        QVERIFY(fx.show());
        auto* grid = fx.find<GridControl>("e604003");
        auto* nav = fx.find<NavigatorControl>("dbnav604003");
        QVERIFY(grid && nav);
        DataSet &places = fx.t("dsLokalizacja"), &powiats = fx.t("sl_NUTS3");
        using B = NavigatorControl::Button;
        QTest::mouseClick(nav->button(B::Insert), Qt::LeftButton);
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(fx.value("dsWniosek", "lok_caly_kraj"), u"N"_s);

        QComboBox* list = cellList(grid, 0, 2);
        QVERIFY(list);
        QCOMPARE(list->count(), 0);
        closeCell(grid, list, false);
        QVERIFY(!powiats.isFiltered());

        list = cellList(grid, 0, 1);
        QVERIFY(list && list->count() > 1);
        list->setCurrentIndex(1);
        closeCell(grid, list, true);
        const QString region = fx.value("dsLokalizacja", "WOJ_ID");
        QVERIFY(!region.isEmpty());

        list = cellList(grid, 0, 2);
        QVERIFY(list && list->count() > 0);
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(powiats.lookup("ID", list->itemData(i), "PARENT_ID").toString(), region);
        list->setCurrentIndex(0);
        closeCell(grid, list, true);
        QVERIFY(!powiats.isFiltered());
        QVERIFY(!fx.f("dsLokalizacja", "Pow_ID").isNull());

        places.field(u"Miejscowosc"_s).setAsString(u"Płock"_s);
        QTest::mouseClick(nav->button(B::Post), Qt::LeftButton);
        QCOMPARE(places.recordCount(), 1);
        QCOMPARE(fx.value("dsWniosek", "lok_caly_kraj"), u"N"_s);
        // Deleted while its powiat cell is open and filtered: the cell closes, the filter ends.
        QVERIFY(cellList(grid, 0, 2));
        QVERIFY(powiats.isFiltered());
        QTest::mouseClick(nav->button(B::Delete), Qt::LeftButton);
        QVERIFY(!powiats.isFiltered());
        QCOMPARE(places.recordCount(), 0);
        QCOMPARE(fx.value("dsWniosek", "lok_caly_kraj"), u"T"_s);
        QVERIFY(fx.ui.calls(UiCall::Kind::MessageBox).isEmpty()); // no question on delete
        grid->view()->setFocus();
        QTRY_VERIFY(grid->view()->hasFocus());
        QTest::keyClick(grid->view(), Qt::Key_Down);
        QCOMPARE(places.state(), DataSetState::Insert);
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(fx.value("dsWniosek", "lok_caly_kraj"), u"T"_s);
    }

    // Clicks on boxes bound to one field: what is stored and which boxes show ticked. Clearing
    // a box stores its off value: the other answer of a pair, "False" cut to the field.
    void answersOnOneField_data() {
        columns({"page", "clicks", "field", "stored", "ticked", "clear"}); // names split at blanks
        const QString g = "6&f - 6g", j = "6&i - 6k", m = "6ł - 6&m";
        row("6g Nie after Tak",
            {g, "e607011 e607012", "inne_pr_kontr_woj", "N", "e607012", "e607011"});
        row("6g clearing Nie ticks Tak",
            {g, "e607012 e607012", "inne_pr_kontr_woj", "T", "e607011", "e607012"});
        row("6j clearing leaves all clear", {j, "e610004 e610004", "potrzeba_wsparcia", "F", "",
                                             "e610001 e610002 e610003 e610004 e610005"});
        row("6j third box", {j, "e610001 e610003", "potrzeba_wsparcia", "C", "e610003",
                             "e610001 e610002 e610004 e610005"});
        row("6s Tak",
            {"6&p - 6s", "e619022 e619021", "zgod_pom_pub_korzystal", "T", "e619021", "e619022"});
        row("6ł profit", {m, "e613001", "typ_projektu", "D", "e613001", "e613002"});
        row("6ł none after profit",
            {m, "e613001 e613002", "typ_projektu", "N", "e613002", "e613001"});
        row("6ł none cleared",
            {m, "e613001 e613002 e613002", "typ_projektu", "F", "", "e613001 e613002"});
        row("6f not applicable", {g, "e606001", "powiazania_projektu_nie_dot", "T", "e606001", ""});
    }

    void answersOnOneField() {
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, stored);
        QFETCH(QString, clicks);
        QFETCH(QString, ticked);
        QFETCH(QString, clear);
        PageFixture fx(page);
        QVERIFY(fx.show());
        const auto box = [&fx](const QString& name) {
            return fx.window->findChild<CheckControl*>(name)->checkBox();
        };
        for (const QString& name : clicks.split(u' ', Qt::SkipEmptyParts)) {
            QTest::mouseClick(box(name), Qt::LeftButton);
            QCOMPARE(fx.t("dsWniosek").state(), DataSetState::Browse); // stored at once
        }
        QCOMPARE(fx.value("dsWniosek", field.toLatin1().constData()), stored);
        for (const QString& name : ticked.split(u' ', Qt::SkipEmptyParts))
            QVERIFY2(box(name)->isChecked(), qPrintable(name));
        for (const QString& name : clear.split(u' ', Qt::SkipEmptyParts))
            QVERIFY2(!box(name)->isChecked(), qPrintable(name));
    }

    // "Tak" opens the aid table; its block takes a record through the navigator; a negative
    // amount is refused.
    void publicAidBlock() {
        PageFixture fx("6&p - 6s");
        QVERIFY(fx.show());
        auto* panel = fx.find<RepeatingPanelControl>("e619003");
        QVERIFY(!panel->block()->isEnabled());
        QTest::mouseClick(fx.find<CheckControl>("e619021")->checkBox(), Qt::LeftButton);
        QVERIFY(fx.t("dsPomocPub").isActive());
        QToolButton* insert =
            fx.find<NavigatorControl>("dbnav619003")->button(NavigatorControl::Button::Insert);
        QTest::mouseClick(insert, Qt::LeftButton);
        QVERIFY(panel->block()->isEnabled());

        auto* date = fx.find<DataControl>("e619031");
        date->editor()->setFocus();
        QTest::keyClicks(date->editor(), u"2004-05-17"_s);
        auto* title = fx.find<DataControl>("e619032");
        QTest::mouseClick(title->editor(), Qt::LeftButton);
        QTest::keyClicks(title->editor(), u"Dotacja"_s);
        auto* amount = fx.find<DataControl>("e619033");
        QVERIFY(fx.enter(amount));
        QTest::keyClick(amount->editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(amount->editor(), u"-5"_s);
        QTest::keyClick(amount->editor(), Qt::Key_Tab);
        QTRY_COMPARE(fx.ui.shownTexts(), QStringList{u"Wprowadzona wartość nie może być ujemna"_s});
        QTRY_VERIFY(amount->editor()->hasFocus());
        QTest::keyClick(amount->editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(amount->editor(), u"12500,5"_s);
        QTest::keyClick(amount->editor(), Qt::Key_Tab);
        DataSet& aid = fx.t("dsPomocPub");
        QCOMPARE(aid.state(), DataSetState::Browse);
        QCOMPARE(aid.recordCount(), 1);
        QCOMPARE(fx.value("dsPomocPub", "Data_udz_pom"), u"2004.05.17"_s);
        QCOMPARE(fx.value("dsPomocPub", "Tytul_pomocy"), u"Dotacja"_s);
        QCOMPARE(fx.f("dsPomocPub", "Kwota_pomocy").asFloat(), 12500.5);

        // A date typed but not yet stored goes into its own record before Insert appends.
        date->editor()->setFocus();
        QTest::keyClick(date->editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(date->editor(), u"2005-01-02"_s);
        QTest::mouseClick(insert, Qt::LeftButton);
        QCOMPARE(aid.state(), DataSetState::Insert);
        QCOMPARE(aid.valueAt(1, fx.f("dsPomocPub", "Data_udz_pom")), QVariant(QDate(2005, 1, 2)));
        QCOMPARE(fx.value("dsPomocPub", "Data_udz_pom"), QString());
        QVERIFY(!date->isDirty());
    }

    // A new procurement starts as begun ("Tak"); "Nie" stores at once.
    void procurementBlock() {
        PageFixture fx("6&t - 6u");
        QVERIFY(fx.show());
        QTest::mouseClick(
            fx.find<NavigatorControl>("dbnav608002")->button(NavigatorControl::Button::Insert),
            Qt::LeftButton);
        auto* yes = fx.find<CheckControl>("e23200002");
        auto* no = fx.find<CheckControl>("e23200003");
        QVERIFY(yes->checkBox()->isChecked());
        QTest::mouseClick(no->checkBox(), Qt::LeftButton);
        QCOMPARE(fx.ui.shownTexts(), QStringList());
        QCOMPARE(fx.t("dsZamPub").state(), DataSetState::Browse);
        QCOMPARE(fx.value("dsZamPub", "zgod_zam_pub_rozp"), u"N"_s);
        QVERIFY(!yes->checkBox()->isChecked());
        QCOMPARE(fx.find<RepeatingPanelControl>("DBCtrlGrid")->scrollBar()->maximum(), 1);
    }
};

QTEST_MAIN(TestProjectFrames)
#include "tst_project_frames.moc"
