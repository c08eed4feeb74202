// The frames driven by keys and clicks: the address cascades and legal-form lists, typing into
// every kind of control on its page (identifier, postal-code, e-mail, date and month checks
// with Esc, capitals, memo limits and lines, the schedule's warnings) and the block of other
// bodies, whose "NIE DOTYCZY" also drops a refused text it disables.
#include "editor/forms/controls/check_control.h"
#include "editor/forms/controls/lookup_control.h"
#include "editor/forms/controls/navigator_control.h"
#include "editor/forms/controls/repeating_panel.h"
#include "frames_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

using namespace editor;

namespace {

QStringList sortedKeys(QComboBox* list) {
    QStringList keys;
    for (int i = 0; i < list->count(); ++i)
        keys << list->itemData(i).toString();
    keys.sort();
    return keys;
}

} // namespace

class TestApplicantFrames : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void lookupLists_data() {
        columns({"page", "parent", "control", "dictionary", "keyField", "listed"});
        row("5 powiat", {"&5 - 5a", "e500003", "e500004", "sl_NUTS3", "adr_pow_id", ""});
        row("5a powiat", {"&5 - 5a", "e501004", "e501005", "sl_NUTS3", "osup_adr_pow_id", ""});
        row("5b powiat", {"5&b - 5c", "e502003", "e502004", "sl_NUTS3", "pod_adr_pow_id", ""});
        row("5 legal form A", {"&5 - 5a", "", "e500002", "sl_FPR1", "for_pr_kod",
                               "0 16 17 23 24 25 26 28 29 3 31 JAP OAR SG SP ZS2"});
        row("5b legal form B", {"5&b - 5c", "", "e502002", "sl_FPR1", "pod_for_pr_kod", "1 27"});
    }

    // A powiat lists nothing before its województwo is picked, then only that one's powiats; a
    // legal form lists its forms. The list opened with Space keeps the filter: its pop-up taking
    // the focus does not leave the control. Leaving stores the pick and unfilters the dictionary
    // (the legal forms also drop the filter text). Delete clears the pick.
    void lookupLists() {
        QFETCH(QString, page);
        QFETCH(QString, parent);
        QFETCH(QString, control);
        QFETCH(QString, dictionary);
        QFETCH(QString, keyField);
        QFETCH(QString, listed);
        PageFixture fx(page);
        QVERIFY(fx.show());
        auto* lookup = fx.find<LookupControl>(control);
        DataSet& entries = fx.t(qPrintable(dictionary));
        QString chosen;
        if (!parent.isEmpty()) {
            QVERIFY(fx.enter(lookup));
            QCOMPARE(lookup->comboBox()->count(), 0);
            auto* up = fx.find<LookupControl>(parent);
            QVERIFY(fx.enter(up));
            QTest::keyClick(up->comboBox(), Qt::Key_Down); // picks the first województwo
            chosen = up->comboBox()->currentData().toString();
        }
        QVERIFY(fx.enter(lookup));
        QTest::keyClick(lookup->comboBox(), Qt::Key_Space);
        QTRY_VERIFY(lookup->comboBox()->view()->isVisible());
        const QStringList keys = sortedKeys(lookup->comboBox());
        QVERIFY(!keys.isEmpty());
        QTest::keyClick(lookup->comboBox()->view(), Qt::Key_Escape);
        QTRY_VERIFY(lookup->comboBox()->hasFocus());
        if (parent.isEmpty()) QCOMPARE(keys.join(u' '), listed);
        for (const QString& key : keys)
            if (!parent.isEmpty())
                QCOMPARE(entries.lookup("ID", key, "PARENT_ID").toString(), chosen);
        QTest::keyClick(lookup->comboBox(), Qt::Key_Down);
        const QString picked = lookup->comboBox()->currentData().toString();
        QVERIFY(!picked.isEmpty());
        QCOMPARE(fx.f("dsBeneficjent", qPrintable(keyField)).asString(), picked);
        QTest::keyClick(lookup->comboBox(), Qt::Key_Delete);
        QVERIFY(fx.f("dsBeneficjent", qPrintable(keyField)).isNull());
        QTest::keyClick(lookup->comboBox(), Qt::Key_Down);
        QTest::keyClick(lookup->comboBox(), Qt::Key_Tab);
        QTRY_VERIFY(!entries.isFiltered());
        if (parent.isEmpty()) QCOMPARE(entries.filter(), QString());
        QCOMPARE(fx.f("dsBeneficjent", qPrintable(keyField)).asString(), picked);
        QCOMPARE(fx.t("dsBeneficjent").state(), DataSetState::Browse);
    }

    // The control of a field holding `before` on its page: everything is selected and deleted,
    // the keys typed, then Tab. Taken, the field holds `stored` and its table is posted. The
    // message is a refusal or, for the settlement month and the statement date (the settlement
    // is planned for March 2006), a warning. A refusal keeps the focus and the field; Esc then
    // shows `before` again and lets the focus go.
    void typing_data() {
        columns({"page", "field", "before", "keys", "stored", "message"});
        const QString p5 = "&5 - 5a", p5b = "5&b - 5c", p6 = "&6 - 6e", p6h = "6&h",
                      p6i = "6&i - 6k", p8 = "&Oświadczenie beneficjenta";
        const QString b = "dsBeneficjent.", nip = b + "NIP", code = "00-950",
                      postal = "Nieprawidłowa wartość w polu \"kod pocztowy\"",
                      email = "Nieprawidłowy adres poczty elektronicznej. Użyj ESC żeby anulować",
                      date = "dsWniosek.osw_ben_data", start = "dsWniosek.harm_rozp_tmp",
                      settlement = "dsWniosek.harm_fin_zak_tmp",
                      notADate = "Nieprawidłowa data. Użyj ESC żeby anulować",
                      notAMonth = "Nieprawidłowa data (miesiąc/rok)",
                      after2008 =
                          "Planowana data rozliczenia ostatniego kontraktu jest późniejsza niż "
                          "31.12.2008",
                      late =
                          "Pole \"Oświadczenie beneficjenta - data\" zawiera datę późniejszą niż "
                          "\"Planowana data rozliczenia ostatniego kontraktu\"";
        row("NIP typed with dashes", {p5, nip, "", "123-456-32-18", "1234563218", ""});
        row("NIP check digit", {p5, nip, "1234563218", "1234563219", "", "NIP nieprawidłowy"});
        row("REGON 8 digits", {p5, b + "REGON", "", "12345678", "", "REGON nieprawidłowy"});
        row("PESEL", {p5b, b + "pod_PESEL", "", "44051401359", "44051401359", ""});
        row("PESEL check digit",
            {p5b, b + "pod_PESEL", "", "44051401358", "", "PESEL nieprawidłowy"});
        row("postal code", {p5, b + "adr_kod", "", "00950", code, ""});
        row("postal code zeros", {p5, b + "adr_kod", code, "00000", "", postal});
        row("5a postal code cleared", {p5, b + "osup_adr_kod", code, "", "", ""});
        row("5c e-mail without dot", {p5b, b + "osk_email", "a@b.pl", "a@bpl", "", email});
        row("5b e-mail of blanks", {p5b, b + "pod_email", "", "  ", "  ", ""});
        row("6h e-mail short domain", {p6h, "dsInstytucje.email", "", "a@b", "", email});
        row("register number takes anything", {p5, b + "nr_rej_edg", "", "A/1 ż-?", "A/1 ż-?", ""});
        row("6h NIP takes any digits",
            {p6h, "dsInstytucje.NIP", "", "0000000000", "0000000000", ""});
        row("first name in capitals", {p8, b + "BK_IMIE", "", "żaneta", "ŻANETA", ""});
        row("surname in capitals", {p8, b + "BK_NAZWISKO", "", "Łuczyńska", "ŁUCZYŃSKA", ""});
        row("title drops Enter", {p6, "dsWniosek.tytul_projektu", "", "ab\ncd", "abcd", ""});
        row("memo keeps lines", {p6i, "dsWniosek.trwalosc_projektu", "", "ab\ncd", "ab\ncd", ""});
        row("month", {p6i, start, "", "032006", "03 2006", ""});
        row("month 13", {p6i, start, "05 2007", "132006", "", notAMonth});
        row("settlement after 2008 warns", {p6i, settlement, "", "012009", "01 2009", after2008});
        row("settlement in 2008", {p6i, settlement, "", "122008", "12 2008", ""});
        row("statement date", {p8, date, "", "2006-03-31", "2006.03.31", ""});
        row("statement date after the settlement month",
            {p8, date, "", "2006.04.01", "2006.04.01", late});
        row("statement date without day", {p8, date, "", "2006.04", "", notADate});
        row("statement date that does not exist", {p8, date, "", "2006.02.30", "", notADate});
        row("5a position 100",
            {p5, b + "osup_rola", "", QString(110, u'r'), QString(100, u'r'), ""});
        row("6h description 2000",
            {p6h, "dsPolaSpec.INNEPODZAANOP", "", QString(2010, u'o'), QString(2000, u'o'), ""});
    }

    void typing() {
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        PageFixture fx(page);
        store(fx.f("dsWniosek", "harm_fin_zak"), QDate(2006, 3, 1));
        store(fx.f("dsWniosek", "osw_ben_data"), QVariant()); // set by a new application
        Field& target = fx.t(qPrintable(field.section(u'.', 0, 0))).field(field.section(u'.', 1));
        DataSet& table = *target.dataSet();
        store(target, before);
        QVERIFY(fx.show());
        DataControl* c = nullptr; // the first one bound to the field: a block's copy comes later
        for (DataControl* d : fx.window->findChildren<DataControl*>())
            if (!c && d->editor() && d->isBoundTo(table.name(), target.name())) c = d;
        QVERIFY(c && fx.enter(c));
        auto* line = qobject_cast<QLineEdit*>(c->editor());
        const QString shown = line ? line->displayText() : QString();
        QTest::keyClick(c->editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(c->editor(), Qt::Key_Delete);
        typeText(c->editor(), keys);
        QTest::keyClick(c->editor(), Qt::Key_Tab);
        QTRY_COMPARE(fx.ui.shownTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        const bool refused = c->isDirty();
        QVERIFY(!refused || !message.isEmpty());
        QCOMPARE(target.asString(), refused ? before : stored);
        if (!refused) {
            QCOMPARE(table.state(), DataSetState::Browse);
            return;
        }
        QTRY_VERIFY(c->editor()->hasFocus());
        QTest::keyClick(c->editor(), Qt::Key_Escape);
        QVERIFY(!c->isDirty());
        if (line) QCOMPARE(line->displayText(), shown);
        QTest::keyClick(c->editor(), Qt::Key_Tab);
        QTRY_VERIFY(!c->editor()->hasFocus());
        QCOMPARE(target.asString(), before);
        QCOMPARE(fx.ui.shownTexts().size(), 1);
    }

    // A refused e-mail address stays in its control; "NIE DOTYCZY" then stores "N", closes the
    // block and disables it, and the control shows the stored value again: the refused text can
    // be neither corrected nor stored, so it must not linger. Cleared, the box stores "T".
    // Insert appends at the end wherever the block stands; Delete asks nothing.
    void otherBodies() {
        PageFixture fx(u"6&h"_s);
        QVERIFY(fx.show());
        auto* nav = fx.find<NavigatorControl>(u"dbnav608002"_s);
        QTest::mouseClick(nav->button(NavigatorControl::Button::Insert), Qt::LeftButton);
        DataControl* email = fx.find(u"e608029"_s);
        QVERIFY(fx.enter(email));
        QTest::keyClicks(email->editor(), u"a@b"_s);
        QTest::keyClick(email->editor(), Qt::Key_Tab);
        QTRY_VERIFY(email->isDirty());
        QCheckBox* box = fx.find<CheckControl>(u"e608001"_s)->checkBox();
        DataSet& bodies = fx.t("dsInstytucje");
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(fx.f("dsPolaSpec", "CZYWYSTINNEINS").asString(), u"N"_s);
        QVERIFY(!bodies.isActive());
        QVERIFY(!fx.find(u"e605001"_s)->isEnabled());
        QTRY_VERIFY(!email->editor()->isEnabled());
        QVERIFY(!email->isDirty());
        QCOMPARE(qobject_cast<QLineEdit*>(email->editor())->text(), QString());
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(fx.f("dsPolaSpec", "CZYWYSTINNEINS").asString(), u"T"_s);
        QVERIFY(bodies.isActive());
        fx.ui.clearCalls();

        auto* panel = fx.find<RepeatingPanelControl>(u"e608002"_s);
        DataControl* name = fx.find(u"e608021"_s);
        for (const QString& text : QStringList{"Alfa", "Beta", "Gamma"}) {
            if (text == u"Gamma"_s) panel->scrollBar()->setValue(1); // back to the first
            QTest::mouseClick(nav->button(NavigatorControl::Button::Insert), Qt::LeftButton);
            QVERIFY(fx.enter(name));
            QTest::keyClicks(name->editor(), text);
            QTest::mouseClick(nav->button(NavigatorControl::Button::Post), Qt::LeftButton);
        }
        const Field& names = fx.f("dsInstytucje", "Nazwa");
        QCOMPARE(bodies.recordCount(), 3);
        QCOMPARE(bodies.valueAt(3, names).toString(), u"Gamma"_s);
        QCOMPARE(bodies.valueAt(1, names).toString(), u"Alfa"_s);

        // Two records show. A click into the other block's name edits that record; Ctrl+Up
        // goes back a record and the blocks follow.
        panel->scrollBar()->setValue(1);
        DataControl* otherName = fx.find(u"e608021_copy"_s);
        QCOMPARE(panel->otherRecord(), 2);
        QCOMPARE(qobject_cast<QLineEdit*>(otherName->editor())->text(), u"Beta"_s);
        QTest::mouseClick(panel->findChild<QWidget*>(u"e608002_cover"_s), Qt::LeftButton, {},
                          otherName->mapTo(panel->otherBlock(), QPoint(5, 5)));
        QTRY_VERIFY(name->editor()->hasFocus());
        QCOMPARE(panel->otherRecord(), 1);
        QTest::keyClick(name->editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name->editor(), u"Delta"_s);
        QTest::keyClick(name->editor(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(bodies.recNo(), 1);
        QCOMPARE(panel->otherRecord(), 2);
        QCOMPARE(qobject_cast<QLineEdit*>(otherName->editor())->text(), u"Delta"_s);
        QCOMPARE(bodies.valueAt(1, names).toString(), u"Alfa"_s);
        QCOMPARE(bodies.valueAt(2, names).toString(), u"Delta"_s);
        QCOMPARE(bodies.valueAt(3, names).toString(), u"Gamma"_s);
        setDataControlsReadOnly(fx.window.get(), true); // view mode: read-only, still scrolls
        QVERIFY(name->isReadOnly());
        panel->scrollBar()->setValue(3);
        QCOMPARE(panel->otherRecord(), 2);
        setDataControlsReadOnly(fx.window.get(), false);
        QTest::mouseClick(nav->button(NavigatorControl::Button::Delete), Qt::LeftButton);
        QCOMPARE(bodies.recordCount(), 2);
        QCOMPARE(fx.ui.calls(UiCall::Kind::MessageBox).size(), 0);
    }
};

QTEST_MAIN(TestApplicantFrames)
#include "tst_applicant_frames.moc"
