// Data controls built from a row: the memo's typing limit, repainting that keeps the cursor,
// and the widget-free mask texts. Typing into every kind of control is the applicant unit's,
// the amounts the grid unit's.
#include "editor/forms/controls/edit_mask.h"
#include "editor/forms/controls/memo_control.h"
#include "frames_fixture.h"

#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

using namespace editor;

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    // Blank and partial texts; whole values typed are the applicant unit's typing rows.
    void editMask_data() {
        columns({"mask", "display", "stored"});
        const QString month = "!00 0000;1;_";
        row("month blank", {month, "__ ____", ""});
        row("month partial", {month, "3_ 2006", "3  2006"});
        // The unfilled places of a longer mask are not stored; blanks inside the value are.
        row("regon of nine digits", {"00000000000000;0;_", "017511575_____", "017511575"});
        row("regon with a gap", {"!00000000000000;0;_", "_0175_11575___", "0175 11575"});
    }

    void editMask() {
        QFETCH(QString, mask);
        QFETCH(QString, display);
        QFETCH(QString, stored);
        QCOMPARE(EditMask::parse(mask).storedText(display), stored);
    }

    // At the limit nothing more is taken, backspace included, unless a selection is replaced.
    void memoLimitOnTyping() {
        FramesFixture fx;
        auto* c = static_cast<MemoControl*>(
            fx.control(ControlKind::Memo, "dsWniosek", "tytul_projektu",
                       Behaviour::LimitOnTyping | Behaviour::SingleLine, 6));
        QVERIFY(fx.show());
        QPlainTextEdit* memo = c->memo();
        memo->setFocus();
        QTest::keyClicks(memo, u"abc def"_s);
        QCOMPARE(memo->toPlainText(), u"abc de"_s);
        QTest::keyClick(memo, Qt::Key_Backspace);
        QTest::keyClick(memo, Qt::Key_Space);
        QCOMPARE(memo->toPlainText(), u"abc de"_s);
        // A selected word is replaced by a letter, not by a space.
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
        QTest::keyClick(memo, Qt::Key_Space);
        QCOMPARE(memo->toPlainText(), u"abc de"_s);
        QTest::keyClicks(memo, u"X"_s);
        QCOMPARE(memo->toPlainText(), u"X de"_s);
        QCOMPARE(fx.f("dsWniosek", "tytul_projektu").asString(), u"X de"_s);
    }

    // A change of another field repaints nothing that did not change: the cursor stays.
    void repaintKeepsCursorWhenValueIsTheSame() {
        FramesFixture fx;
        DataControl* c = fx.control(ControlKind::Memo, "dsWniosek", "opis_projektu");
        QVERIFY(fx.show());
        auto* memo = static_cast<QPlainTextEdit*>(c->editor());
        memo->setFocus();
        QTest::keyClicks(memo, u"abcdef"_s);
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(2);
        memo->setTextCursor(cursor);
        fx.f("dsWniosek", "promocja_projektu").setAsString(u"x"_s); // same record
        QCOMPARE(memo->textCursor().position(), 2);
        fx.f("dsWniosek", "opis_projektu").setAsString(u"z innego miejsca"_s);
        QCOMPARE(memo->toPlainText(), u"z innego miejsca"_s);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
