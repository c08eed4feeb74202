// The data controls driven by keys and clicks over the data module's tables: what typing
// and leaving store, what is refused and Esc, the typing limit, repainting and view mode,
// and the widget-free mask texts.
#include "editor/forms/controls/edit_mask.h"
#include "editor/forms/controls/memo_control.h"
#include "frames_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>

using namespace editor;

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void editMask_data();
    void editMask();
    void typing_data();
    void typing();
    void memoLimitOnTyping();
    void repaintKeepsCursorWhenValueIsTheSame();
    void viewMode();
};

void TestControls::editMask_data() {
    columns({"mask", "display", "stored"});
    const QString month = "!00 0000;1;_";
    row("month", {month, "03 2006", "03 2006"});
    row("month blank", {month, "__ ____", ""});
    row("month partial", {month, "3_ 2006", "3  2006"});
    row("postal code kept dash", {"00-000;1;_", "12-345", "12-345"});
    row("nip without dashes", {"!000-000-00-00;0;_", "123-456-78-90", "1234567890"});
    // The unfilled places of a longer mask are not stored; blanks inside the value are.
    row("regon of nine digits", {"00000000000000;0;_", "017511575_____", "017511575"});
    row("regon with a gap", {"!00000000000000;0;_", "_0175_11575___", "0175 11575"});
}

void TestControls::editMask() {
    QFETCH(QString, mask);
    QFETCH(QString, display);
    QFETCH(QString, stored);
    QCOMPARE(EditMask::parse(mask).storedText(display), stored);
}

// One control per row over a field holding `before`: keys typed over all, then Tab. Taken,
// the field holds `stored` and its table is posted; refused, the message is shown, the focus
// comes back, and Esc shows `before` again and lets the focus go. What amounts store is the
// shared amount table's (tst_grid).
void TestControls::typing_data() {
    columns({"kind", "field", "before", "keys", "stored", "refusal"});
    const QString month = "Nieprawidłowa data (miesiąc/rok)",
                  date = "Nieprawidłowa data. Użyj ESC żeby anulować",
                  amount = "Nieprawidłowa kwota. Użyj ESC żeby anulować";
    row("edit", {"edit", "dsPolaSpec.ADRESAT_WNIOSKU", "", "Urząd Marszałkowski",
                 "Urząd Marszałkowski", ""});
    row("memo single line drops Enter",
        {"line", "dsWniosek.tytul_projektu", "", "ab\ncd", "abcd", ""});
    row("memo keeps lines", {"memo", "dsWniosek.trwalosc_projektu", "", "ab\ncd", "ab\ncd", ""});
    row("month", {"month", "dsWniosek.harm_rozp_tmp", "", "032006", "03 2006", ""});
    row("month 13 refused", {"month", "dsWniosek.harm_rozp_tmp", "05 2007", "132006", "", month});
    row("date", {"checked date", "dsWniosek.osw_ben_data", "", "2005-03-07", "2005.03.07", ""});
    row("date without day refused",
        {"checked date", "dsWniosek.osw_ben_data", "", "2005.03", "", date});
    row("date that does not exist", {"date", "dsWniosek.osw_ben_data", "", "2005.02.30", "", date});
    row("amount no number", {"amount", "dsWniosek.plan_okres_real", "7", "12x", "", amount});
}

void TestControls::typing() {
    QFETCH(QString, kind);
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, stored);
    QFETCH(QString, refusal);
    const QMap<QString, std::pair<ControlKind, Behaviours>> kinds{
        {"edit", {ControlKind::Edit, {}}},
        {"line", {ControlKind::Memo, Behaviour::SingleLine}},
        {"memo", {ControlKind::Memo, {}}},
        {"month", {ControlKind::MaskEdit, {}}},
        {"date", {ControlKind::Date, {}}},
        {"checked date", {ControlKind::Date, Behaviour::DateTextCheck}},
        {"amount", {ControlKind::Currency, {}}}};
    FramesFixture fx;
    const QByteArray t = field.section(u'.', 0, 0).toLatin1(),
                     f = field.section(u'.', 1).toLatin1();
    Field& target = fx.f(t.constData(), f.constData());
    DataSet& table = *target.dataSet();
    table.edit();
    target.setAsString(before);
    table.post();
    DataControl* c = fx.control({.name = "eTest",
                                 .kind = kinds[kind].first,
                                 .table = t.constData(),
                                 .field = f.constData(),
                                 .label = QStringLiteral("Pole"),
                                 .behaviour = kinds[kind].second,
                                 .mask = kind == "month" ? "!00 0000;1;_" : nullptr});
    if (kind == "month") c->setInputCheck(validateMonthYearInput); // the frame's check
    QVERIFY(fx.show());
    auto* line = qobject_cast<QLineEdit*>(c->editor());
    const QString shown = line ? line->displayText() : QString();

    c->editor()->setFocus();
    QTRY_VERIFY(c->editor()->hasFocus());
    QTest::keyClick(c->editor(), Qt::Key_A, Qt::ControlModifier); // typing replaces all
    typeText(c->editor(), keys);
    QTest::keyClick(c->editor(), Qt::Key_Tab);
    if (refusal.isEmpty()) {
        QCOMPARE(target.asString(), stored);
        QCOMPARE(table.state(), DataSetState::Browse);
        QVERIFY(fx.ui.calls(UiCall::Kind::ErrorDialog).isEmpty());
        return;
    }
    QTRY_COMPARE(fx.ui.shownTexts(), QStringList{refusal});
    QTRY_VERIFY(c->editor()->hasFocus());
    QCOMPARE(target.asString(), before);
    QVERIFY(c->isDirty());
    QTest::keyClick(c->editor(), Qt::Key_Escape);
    QVERIFY(!c->isDirty());
    if (line) QCOMPARE(line->displayText(), shown);
    QTest::keyClick(c->editor(), Qt::Key_Tab);
    QTRY_VERIFY(!c->editor()->hasFocus());
    QCOMPARE(target.asString(), before);
    QCOMPARE(fx.ui.shownTexts().size(), 1);
}

// At the limit nothing more is taken, backspace included, unless a selection is replaced.
void TestControls::memoLimitOnTyping() {
    FramesFixture fx;
    auto* c = static_cast<MemoControl*>(
        fx.control({.name = "tytul_projektu",
                    .kind = ControlKind::Memo,
                    .table = "dsWniosek",
                    .field = "tytul_projektu",
                    .label = QStringLiteral("Tytuł"),
                    .behaviour = Behaviour::LimitOnTyping | Behaviour::SingleLine,
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
