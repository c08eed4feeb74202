// The data controls driven by keys and clicks over the data module's tables: what typing
// and leaving store, what is refused, Esc, the choices on one field, cascading lookups,
// the navigator, view mode, and the widget-free amount and mask texts.
#include "editor/forms/controls/check_control.h"
#include "editor/forms/controls/edit_mask.h"
#include "editor/forms/controls/lookup_control.h"
#include "editor/forms/controls/memo_control.h"
#include "editor/forms/controls/navigator_control.h"
#include "frames_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace editor;

Q_DECLARE_METATYPE(editor::ControlKind)

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void editMask_data();
    void editMask();
    void typing_data();
    void typing();
    void escapeRestoresStoredValue();
    void memoLimitOnTyping();
    void choicesOnOneField_data();
    void choicesOnOneField();
    void cascadingLookup();
    void repaintKeepsCursorWhenValueIsTheSame();
    void navigatorAppendsAndDeletesWithoutQuestion();
    void viewMode();
};

void TestControls::editMask_data() {
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("stored");
    QTest::newRow("month") << "!00 0000;1;_"
                           << "03 2006"
                           << "03 2006";
    QTest::newRow("month blank") << "!00 0000;1;_"
                                 << "__ ____"
                                 << "";
    QTest::newRow("month partial") << "!00 0000;1;_"
                                   << "3_ 2006"
                                   << "3  2006";
    QTest::newRow("postal code kept dash") << "00-000;1;_"
                                           << "12-345"
                                           << "12-345";
    QTest::newRow("nip without dashes") << "!000-000-00-00;0;_"
                                        << "123-456-78-90"
                                        << "1234567890";
    // The unfilled places of a longer mask are not stored; blanks inside the value are.
    QTest::newRow("regon of nine digits") << "00000000000000;0;_"
                                          << "017511575_____"
                                          << "017511575";
    QTest::newRow("regon with a gap") << "!00000000000000;0;_"
                                      << "_0175_11575___"
                                      << "0175 11575";
}

void TestControls::editMask() {
    QFETCH(QString, mask);
    QFETCH(QString, display);
    QFETCH(QString, stored);
    QCOMPARE(EditMask::parse(mask).storedText(display), stored);
}

// One control per row: keys typed, then Tab. The stored text (field's text form), whether
// a message refused it, and the table posted (browse) unless refused.
void TestControls::typing_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<int>("behaviour");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("refusal");

    const int edit = int(ControlKind::Edit), mask = int(ControlKind::MaskEdit),
              memo = int(ControlKind::Memo), date = int(ControlKind::Date),
              amount = int(ControlKind::Currency);
    const QString noMask;
    const QString month = QStringLiteral("!00 0000;1;_");
    const QString monthError = QStringLiteral("Nieprawidłowa data (miesiąc/rok)");
    QTest::newRow("edit") << edit << "dsPolaSpec"
                          << "ADRESAT_WNIOSKU" << noMask << 0 << "Urząd Marszałkowski"
                          << "Urząd Marszałkowski"
                          << "";
    QTest::newRow("memo single line drops Enter")
        << memo << "dsWniosek"
        << "tytul_projektu" << noMask << int(SingleLine) << "ab\ncd"
        << "abcd"
        << "";
    QTest::newRow("memo keeps lines") << memo << "dsWniosek"
                                      << "trwalosc_projektu" << noMask << 0 << "ab\ncd"
                                      << "ab\ncd"
                                      << "";
    QTest::newRow("month") << mask << "dsWniosek"
                           << "harm_rozp_tmp" << month << 0 << "032006"
                           << "03 2006"
                           << "";
    QTest::newRow("month 13 refused") << mask << "dsWniosek"
                                      << "harm_rozp_tmp" << month << 0 << "132006"
                                      << "" << monthError;
    QTest::newRow("date") << date << "dsWniosek"
                          << "osw_ben_data" << noMask << int(DateTextCheck) << "2005-03-07"
                          << "2005.03.07"
                          << "";
    QTest::newRow("date without day refused")
        << date << "dsWniosek"
        << "osw_ben_data" << noMask << int(DateTextCheck) << "2005.03"
        << ""
        << "Nieprawidłowa data. Użyj ESC żeby anulować";
    QTest::newRow("date that does not exist") << date << "dsWniosek"
                                              << "osw_ben_data" << noMask << 0 << "2005.02.30"
                                              << ""
                                              << "Nieprawidłowa data. Użyj ESC żeby anulować";
    QTest::newRow("amount to cents") << amount << "dsWniosek"
                                     << "plan_okres_real" << noMask << 0 << "1 234,567"
                                     << "1234,57"
                                     << "";
    QTest::newRow("amount with point") << amount << "dsWniosek"
                                       << "plan_okres_real" << noMask << 0 << "10.004"
                                       << "10"
                                       << "";
    QTest::newRow("amount no number") << amount << "dsWniosek"
                                      << "plan_okres_real" << noMask << 0 << "12x"
                                      << ""
                                      << "Nieprawidłowa kwota. Użyj ESC żeby anulować";
}

void TestControls::typing() {
    QFETCH(int, kind);
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QString, mask);
    QFETCH(int, behaviour);
    QFETCH(QString, keys);
    QFETCH(QString, stored);
    QFETCH(QString, refusal);

    FramesFixture fx;
    const QByteArray t = table.toLatin1(), f = field.toLatin1(), m = mask.toLatin1();
    ControlRow row{.name = "eTest",
                   .kind = ControlKind(kind),
                   .table = t.constData(),
                   .field = f.constData(),
                   .label = QStringLiteral("Pole")};
    row.behaviour = unsigned(behaviour);
    if (!mask.isEmpty()) row.mask = m.constData();
    DataControl* c = fx.control(row);
    if (field == QLatin1String("harm_rozp_tmp"))
        c->setInputCheck(validateMonthYearInput); // the frame's check for this control
    QVERIFY(fx.show());
    const Field& target = fx.f(t.constData(), f.constData());
    const QString before = target.asString();

    c->editor()->setFocus();
    QTRY_VERIFY(c->editor()->hasFocus());
    QTest::keyClick(c->editor(), Qt::Key_A, Qt::ControlModifier); // typing replaces all
    typeText(c->editor(), keys);
    QTest::keyClick(c->editor(), Qt::Key_Tab);

    if (refusal.isEmpty()) {
        QCOMPARE(target.asString(), stored);
        QCOMPARE(target.dataSet()->state(), DataSetState::Browse);
        QVERIFY(fx.ui.calls(UiCall::Kind::ErrorDialog).isEmpty());
    } else {
        // The message is shown, the focus comes back, the field keeps its value.
        QTRY_COMPARE(fx.ui.calls(UiCall::Kind::ErrorDialog).size(), 1);
        QCOMPARE(fx.ui.calls(UiCall::Kind::ErrorDialog).first().text, refusal);
        QTRY_VERIFY(c->editor()->hasFocus());
        QCOMPARE(target.asString(), before);
        QVERIFY(c->isDirty());
    }
}

void TestControls::escapeRestoresStoredValue() {
    FramesFixture fx;
    DataControl* c = fx.control({.name = "e1000111",
                                 .kind = ControlKind::MaskEdit,
                                 .table = "dsWniosek",
                                 .field = "harm_rozp_tmp",
                                 .label = QStringLiteral("Termin"),
                                 .mask = "!00 0000;1;_"});
    c->setInputCheck(validateMonthYearInput);
    QVERIFY(fx.show());
    auto* edit = static_cast<QLineEdit*>(c->editor());
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("052007"));
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(fx.f("dsWniosek", "harm_rozp_tmp").asString(), QStringLiteral("05 2007"));
    QCOMPARE(fx.f("dsWniosek", "harm_rozp").asDate(), QDate(2007, 5, 1));

    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("992007"));
    QTest::keyClick(edit, Qt::Key_Tab);
    QTRY_VERIFY(edit->hasFocus()); // refused: back in the control
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->displayText(), QStringLiteral("05 2007"));
    QVERIFY(!c->isDirty());
    QTest::keyClick(edit, Qt::Key_Tab);
    QTRY_VERIFY(!edit->hasFocus());
    QCOMPARE(fx.f("dsWniosek", "harm_rozp_tmp").asString(), QStringLiteral("05 2007"));
    QCOMPARE(fx.ui.calls(UiCall::Kind::ErrorDialog).size(), 1);
}

// At the limit nothing more is taken, backspace included, unless a selection is replaced.
void TestControls::memoLimitOnTyping() {
    FramesFixture fx;
    auto* c = static_cast<MemoControl*>(fx.control({.name = "tytul_projektu",
                                                    .kind = ControlKind::Memo,
                                                    .table = "dsWniosek",
                                                    .field = "tytul_projektu",
                                                    .label = QStringLiteral("Tytuł"),
                                                    .behaviour = LimitOnTyping | SingleLine,
                                                    .maxLength = 6}));
    QVERIFY(fx.show());
    QPlainTextEdit* memo = c->memo();
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("abc def"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("abc de"));
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Space);
    QCOMPARE(memo->toPlainText(), QStringLiteral("abc de"));
    // A selected word is replaced by a letter, not by a space.
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    QTest::keyClick(memo, Qt::Key_Space);
    QCOMPARE(memo->toPlainText(), QStringLiteral("abc de"));
    QTest::keyClicks(memo, QStringLiteral("X"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("X de"));
    QCOMPARE(fx.f("dsWniosek", "tytul_projektu").asString(), QStringLiteral("X de"));
}

// Boxes on one field: the "Tak"/"Nie" pair and the five-way choice (off value "False").
void TestControls::choicesOnOneField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("onValues");
    QTest::addColumn<QStringList>("offValues");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<bool>>("ticked");

    const QStringList pairOn{"T", "N"}, pairOff{"N", "T"};
    QTest::newRow("Nie unticks Tak") << "inne_pr_kontr_woj" << pairOn << pairOff << QList<int>{0, 1}
                                     << "N" << QList<bool>{false, true};
    QTest::newRow("clearing Nie ticks Tak") << "inne_pr_kontr_woj" << pairOn << pairOff
                                            << QList<int>{1, 1} << "T" << QList<bool>{true, false};
    const QStringList abcde{"A", "B", "C", "D", "E"};
    const QStringList falses{"False", "False", "False", "False", "False"};
    QTest::newRow("third box stores C")
        << "potrzeba_wsparcia" << abcde << falses << QList<int>{0, 2} << "C"
        << QList<bool>{false, false, true, false, false};
    QTest::newRow("clearing leaves all clear")
        << "potrzeba_wsparcia" << abcde << falses << QList<int>{3, 3} << "F"
        << QList<bool>{false, false, false, false, false};
}

void TestControls::choicesOnOneField() {
    QFETCH(QString, field);
    QFETCH(QStringList, onValues);
    QFETCH(QStringList, offValues);
    QFETCH(QList<int>, clicks);
    QFETCH(QString, stored);
    QFETCH(QList<bool>, ticked);

    FramesFixture fx;
    const QByteArray f = field.toLatin1();
    std::vector<QByteArray> values;
    QList<CheckControl*> boxes;
    for (int i = 0; i < onValues.size(); ++i) {
        values.push_back(onValues[i].toLatin1());
        values.push_back(offValues[i].toLatin1());
    }
    for (int i = 0; i < onValues.size(); ++i)
        boxes << static_cast<CheckControl*>(
            fx.control({.name = "eBox",
                        .kind = ControlKind::Check,
                        .table = "dsWniosek",
                        .field = f.constData(),
                        .label = onValues[i],
                        .onValue = values[2 * i].constData(),
                        .offValue = values[2 * i + 1].constData()}));
    QVERIFY(fx.show());
    for (int i : clicks) {
        QTest::mouseClick(boxes[i]->checkBox(), Qt::LeftButton);
        // Stored at once: the record is posted with every click.
        QCOMPARE(fx.t("dsWniosek").state(), DataSetState::Browse);
    }
    QCOMPARE(fx.f("dsWniosek", f.constData()).asString(), stored);
    for (int i = 0; i < boxes.size(); ++i)
        QCOMPARE(boxes[i]->checkBox()->isChecked(), ticked[i]);
}

// Level 2 of the intervention category lists nothing before level 1 is chosen, then only
// the children of the chosen entry; leaving switches the dictionary's filter off.
void TestControls::cascadingLookup() {
    FramesFixture fx;
    auto* level1 = static_cast<LookupControl*>(fx.control({.name = "e602001",
                                                           .kind = ControlKind::Lookup,
                                                           .table = "dsKatInt",
                                                           .field = "lkp_kat1",
                                                           .label = QStringLiteral("Poziom 1")}));
    auto* level2 = static_cast<LookupControl*>(
        fx.control({.name = "dxDBLookupEdit1",
                    .kind = ControlKind::Lookup,
                    .table = "dsKatInt",
                    .field = "lkp_kat2",
                    .label = QStringLiteral("Poziom 2"),
                    .cascade = {"sl_INT2", "PARENT_ID", "dsKatInt", "ID1"}}));
    QVERIFY(fx.show());
    DataSet& int2 = fx.t("sl_INT2");

    level2->editor()->setFocus();
    QTRY_VERIFY(level2->editor()->hasFocus());
    QCOMPARE(level2->comboBox()->count(), 0);
    QCOMPARE(int2.filter(), QStringLiteral("PARENT_ID = -1"));

    level1->editor()->setFocus();
    QTRY_VERIFY(!int2.isFiltered());
    QVERIFY(level1->comboBox()->count() > 0);
    QTest::keyClick(level1->comboBox(), Qt::Key_Down); // picks the first entry
    const QString parent = fx.f("dsKatInt", "ID1").asString();
    QVERIFY(!parent.isEmpty());

    level2->editor()->setFocus();
    QTRY_VERIFY(level2->editor()->hasFocus());
    QVERIFY(level2->comboBox()->count() > 0);
    QCOMPARE(level2->comboBox()->count(), int2.recordCount());
    QTest::keyClick(level2->comboBox(), Qt::Key_Down);
    QVERIFY(!fx.f("dsKatInt", "ID2").isNull());
    QCOMPARE(int2.lookup("ID", fx.f("dsKatInt", "ID2").value(), "PARENT_ID").toString(), parent);
    // Delete clears the key; leaving posts and unfilters.
    QTest::keyClick(level2->comboBox(), Qt::Key_Delete);
    QVERIFY(fx.f("dsKatInt", "ID2").isNull());
    fx.next->setFocus();
    QTRY_VERIFY(!int2.isFiltered());
    QCOMPARE(fx.t("dsKatInt").state(), DataSetState::Browse);
}

// A change of another field repaints nothing that did not change: the cursor stays.
void TestControls::repaintKeepsCursorWhenValueIsTheSame() {
    FramesFixture fx;
    DataControl* c = fx.control({.name = "e605001",
                                 .kind = ControlKind::Memo,
                                 .table = "dsWniosek",
                                 .field = "opis_projektu",
                                 .label = QStringLiteral("Opis")});
    QVERIFY(fx.show());
    auto* memo = static_cast<QPlainTextEdit*>(c->editor());
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("abcdef"));
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(2);
    memo->setTextCursor(cursor);
    fx.f("dsWniosek", "promocja_projektu").setAsString(QStringLiteral("x")); // same record
    QCOMPARE(memo->textCursor().position(), 2);
    fx.f("dsWniosek", "opis_projektu").setAsString(QStringLiteral("z innego miejsca"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("z innego miejsca"));
}

void TestControls::navigatorAppendsAndDeletesWithoutQuestion() {
    FramesFixture fx;
    auto* nav = static_cast<NavigatorControl*>(fx.control({.name = "dbnav604003",
                                                           .kind = ControlKind::Navigator,
                                                           .table = "dsLokalizacja",
                                                           .label = QStringLiteral("Nawigator")}));
    QVERIFY(fx.show());
    DataSet& places = fx.t("dsLokalizacja");
    for (const char* town : {"Kraków", "Gdańsk", "Łódź"}) {
        QTest::mouseClick(nav->button(NavigatorControl::Button::Insert), Qt::LeftButton);
        places.field(QStringLiteral("Miejscowosc")).setAsString(QString::fromUtf8(town));
        QTest::mouseClick(nav->button(NavigatorControl::Button::Post), Qt::LeftButton);
    }
    places.first();
    QTest::mouseClick(nav->button(NavigatorControl::Button::Insert), Qt::LeftButton);
    QCOMPARE(places.state(), DataSetState::Insert);
    QTest::mouseClick(nav->button(NavigatorControl::Button::Cancel), Qt::LeftButton);
    places.last();
    QCOMPARE(places.field(QStringLiteral("Miejscowosc")).asString(), QStringLiteral("Łódź"));
    places.first();
    QTest::mouseClick(nav->button(NavigatorControl::Button::Delete), Qt::LeftButton);
    QCOMPARE(places.recordCount(), 2);
    QCOMPARE(places.field(QStringLiteral("Miejscowosc")).asString(), QStringLiteral("Gdańsk"));
    QVERIFY(fx.ui.calls(UiCall::Kind::MessageBox).isEmpty());
}

// In view mode a memo stays enabled (it scrolls) but is read-only; a lookup is disabled.
void TestControls::viewMode() {
    FramesFixture fx;
    DataControl* memo = fx.control({.name = "e605001",
                                    .kind = ControlKind::Memo,
                                    .table = "dsWniosek",
                                    .field = "opis_projektu",
                                    .label = QStringLiteral("Opis")});
    DataControl* lookup = fx.control({.name = "e601001",
                                      .kind = ControlKind::Lookup,
                                      .table = "dsWniosek",
                                      .field = "lkp_rodz_projektu",
                                      .label = QStringLiteral("Rodzaj")});
    QVERIFY(fx.show());
    memo->setViewOnly(true);
    lookup->setViewOnly(true);
    QVERIFY(memo->editor()->isEnabled());
    QVERIFY(static_cast<QPlainTextEdit*>(memo->editor())->isReadOnly());
    QVERIFY(!lookup->editor()->isEnabled());
    memo->setViewOnly(false);
    lookup->setViewOnly(false);
    QVERIFY(!static_cast<QPlainTextEdit*>(memo->editor())->isReadOnly());
    QVERIFY(lookup->editor()->isEnabled());
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
