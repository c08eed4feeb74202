// The checks of single typed values and the handlers that the editor's controls run.
#include "validation/date_order_warnings.h"
#include "validation/input_checks.h"
#include "validation/input_handler_table.h"
#include "validation/input_handlers.h"
#include "validation/nip_reg_pes_valid.h"

#include "tests/model/module_fixture.h"

#include <QTest>

namespace {

const QString kNipMsg = QStringLiteral("NIP nieprawidłowy");
const QString kRegonMsg = QStringLiteral("REGON nieprawidłowy");
const QString kPeselMsg = QStringLiteral("PESEL nieprawidłowy");
const QString kPostalMsg = QStringLiteral("Nieprawidłowa wartość w polu \"kod pocztowy\"");
const QString kEmailMsg =
    QStringLiteral("Nieprawidłowy adres poczty elektronicznej. Użyj ESC żeby anulować");
const QString kAmountMsg = QStringLiteral("Wprowadzona wartość nie może być ujemna");
const QString kMonthMsg = QStringLiteral("Nieprawidłowa data (miesiąc/rok)");
const QString kDeclarationMsg = QStringLiteral("Pole \"Oświadczenie beneficjenta - data\" zawiera "
                                               "datę późniejszą niż \"Planowana data rozliczenia "
                                               "ostatniego kontraktu\"");
const QString k2008Msg = QStringLiteral(
    "Planowana data rozliczenia ostatniego kontraktu jest późniejsza niż 31.12.2008");

// Sets fields of the main record as the editor does: edit, assign, post.
void putMainRecord(ModuleFixture& fx, const QList<QPair<const char*, QVariant>>& values) {
    DataSet& w = fx.t("dsWniosek");
    w.edit();
    for (const auto& [name, value] : values)
        w.field(QLatin1String(name)).setValue(value);
    w.post();
}

} // namespace

class TestInputChecks : public QObject {
    Q_OBJECT

private slots:
    void pesel_data();
    void pesel();
    void nip_data();
    void nip();
    void regon_data();
    void regon();
    void postalCode_data();
    void postalCode();
    void email_data();
    void email();

    void attachedHandlers_data();
    void attachedHandlers();
    void templateHandlers_data();
    void templateHandlers();
    void controlsCarryingChecks_data();
    void controlsCarryingChecks();

    void amount_data();
    void amount();
    void monthYear_data();
    void monthYear();
    void dateShape_data();
    void dateShape();
    void dateShapeNeverClearsEditorError();

    void declarationWarning_data();
    void declarationWarning();
    void settlementMonthWarning_data();
    void settlementMonthWarning();
};

void TestInputChecks::pesel_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("check digit fits") << "44051401359" << true;
    QTest::newRow("wrong check digit") << "44051401358" << false;
    // Digits 1, 3, 7, 9 at every weighted place: a changed weight changes the check digit.
    QTest::newRow("every weight, 9 first") << "97319731970" << true;
    QTest::newRow("every weight, 1 first") << "13791379130" << true;
    QTest::newRow("every weight, 3 first") << "39173917390" << true;
    QTest::newRow("every weight, wrong check") << "39173917391" << false;
    QTest::newRow("last five zeros, check fits") << "55000000000" << false;
    QTest::newRow("first six zeros, check fits") << "00000012340" << false;
    QTest::newRow("10 characters") << "4405140135" << false;
    QTest::newRow("12 characters") << "440514013590" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank inside") << "4405140 359" << false;
    QTest::newRow("sign") << "+4405140135" << false;
    QTest::newRow("letter") << "4405140135a" << false;
    QTest::newRow("non-ASCII digit") << QString("4405140135") + QChar(0x0669) << false;
}

void TestInputChecks::pesel() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(CheckPESEL(text), valid);
}

void TestInputChecks::nip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << "1234563218" << true;
    QTest::newRow("dashes as printed") << "123-456-32-18" << true;
    QTest::newRow("dashes in other places") << "123-45-63-218" << true;
    QTest::newRow("dash between every digit") << "1-2-3-4-5-6-3-2-1-8" << true;
    QTest::newRow("dashes at both ends") << "-1234563218-" << true;
    QTest::newRow("blanks between groups") << "123 456 32 18" << false;
    QTest::newRow("wrong check digit") << "1234563219" << false;
    QTest::newRow("descending digits") << "9876543210" << true;
    QTest::newRow("descending digits, wrong check") << "9876543211" << false;
    QTest::newRow("remainder 10, last digit 0") << "1000000160" << true;
    QTest::newRow("remainder 10, other remainder-10 number") << "5250000080" << true;
    QTest::newRow("remainder 10, last digit 1") << "1000000161" << false;
    QTest::newRow("first five zeros, check fits") << "0000012345" << false;
    QTest::newRow("last five zeros, check fits") << "1000900000" << false;
    QTest::newRow("9 digits") << "123456321" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("ten blanks") << "          " << false;
}

void TestInputChecks::nip() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(CheckNIP(text), valid);
}

void TestInputChecks::regon_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks only") << "   " << true;
    QTest::newRow("7 digits") << "1234567" << true;
    QTest::newRow("9 digits, any check digit") << "123456789" << true;
    QTest::newRow("14 digits") << "12345678901234" << true;
    QTest::newRow("9 digits between blanks") << "  123456789 " << true;
    QTest::newRow("8 digits") << "12345678" << false;
    QTest::newRow("10 digits") << "1234567890" << false;
    QTest::newRow("9 characters with a letter") << "1234A6789" << false;
    QTest::newRow("9 characters with a dash") << "1234-6789" << false;
    QTest::newRow("blank inside 14") << "1234567 901234" << false;
}

void TestInputChecks::regon() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(CheckREGON(text), valid);
}

void TestInputChecks::postalCode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("two, dash, three") << "00-950" << true;
    QTest::newRow("separator not checked") << "31x542" << true;
    QTest::newRow("all zeros") << "00-000" << false;
    QTest::newRow("blank mask") << "  -   " << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("five digits without dash") << "31542" << false;
    QTest::newRow("dash one place early") << "3-1542" << false;
    QTest::newRow("partly typed") << "31-5  " << false;
    QTest::newRow("letter") << "3A-542" << false;
}

void TestInputChecks::postalCode() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(CheckKodPoczt(text), valid);
}

void TestInputChecks::email_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("shortest: a@b.pl") << "a@b.pl" << true;
    QTest::newRow("every allowed character") << "Jan.Kowalski-1_x@Firma-2.com.pl" << true;
    QTest::newRow("dot third from the end") << "a@bcd.pl" << true;
    QTest::newRow("three-character domain") << "a@b.p" << false;
    QTest::newRow("dot last") << "a@bcd." << false;
    QTest::newRow("dot second to last") << "a@bcd.p" << false;
    QTest::newRow("domain without dot") << "a@bcde" << false;
    QTest::newRow("domain begins with dot") << "a@.bcd" << false;
    QTest::newRow("two @") << "a@b@c.pl" << false;
    QTest::newRow("no @") << "ab.pl" << false;
    QTest::newRow("nothing before @") << "@bcd.pl" << false;
    QTest::newRow("diacritic in name") << "łukasz@b.pl" << false;
    QTest::newRow("diacritic in domain") << "a@bąk.pl" << false;
    QTest::newRow("blank inside") << "a b@c.pl" << false;
    QTest::newRow("trailing blank") << "a@b.pl " << false;
    QTest::newRow("empty") << "" << false;
}

void TestInputChecks::email() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(CheckEmail(text), valid);
}

// The handlers as the frames attach them: what each treats as empty, and the exact
// message of a refusal.
void TestInputChecks::attachedHandlers_data() {
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("message");

    const QString bk = "Tfr_bk_topaz_q", repr = "Tfr_bk_pod_repr_topaz_q",
                  reprOs = "Tfr_bk_pod_repr_os_up_topaz_q", osup = "Tfr_osoba_upowazniona",
                  inst = "Tfr_inne_inst_zaang_topaz_q", harm = "Tfr_harm_real_proj_topaz_q";
    auto accept = [](const char* name, const QString& f, const char* c, const QString& text) {
        QTest::newRow(name) << f << QString(c) << text << true << QString();
    };
    auto refuse = [](const char* name, const QString& f, const char* c, const QString& text,
                     const QString& msg) {
        QTest::newRow(name) << f << QString(c) << text << false << msg;
    };

    accept("NIP bk: empty", bk, "e500014", "");
    accept("NIP bk: ten blanks", bk, "e500014", QString(10, ' '));
    accept("NIP bk: valid", bk, "e500014", "123-456-32-18");
    refuse("NIP bk: nine blanks", bk, "e500014", QString(9, ' '), kNipMsg);
    refuse("NIP bk: blank mask with dashes", bk, "e500014", "   -   -  -  ", kNipMsg);
    refuse("NIP bk: wrong check digit", bk, "e500014", "1234563219", kNipMsg);
    refuse("NIP repr: wrong", repr, "e502014", "1000000161", kNipMsg);

    accept("REGON bk: empty", bk, "e500015", "");
    refuse("REGON bk: 8 digits", bk, "e500015", "12345678", kRegonMsg);
    accept("REGON repr: 14 digits", repr, "e502015", "12345678901234");
    refuse("REGON repr: letter", repr, "e502015", "1234A6789", kRegonMsg);

    accept("PESEL repr: empty", repr, "e502016", "");
    accept("PESEL repr: valid", repr, "e502016", "44051401359");
    refuse("PESEL repr: eleven blanks", repr, "e502016", QString(11, ' '), kPeselMsg);
    refuse("PESEL repr: wrong", repr, "e502016", "44051401358", kPeselMsg);
    accept("PESEL slot of bk shows nr_rej_edg", bk, "e500016", "anything at all");

    accept("postal bk: empty", bk, "e500009", "");
    refuse("postal bk: blank mask", bk, "e500009", "  -   ", kPostalMsg);
    refuse("postal bk: zeros", bk, "e500009", "00-000", kPostalMsg);
    accept("postal repr: blank mask", repr, "e502009", "  -   ");
    refuse("postal repr: empty", repr, "e502009", "", kPostalMsg);
    accept("postal repr: valid", repr, "e502009", "31-542");
    accept("postal osup: empty", osup, "e500009", "");
    accept("postal osup: blank mask", osup, "e500009", "  -   ");
    refuse("postal osup: partial", osup, "e500009", "31-5  ", kPostalMsg);
    accept("postal inst: blank mask", inst, "e608033", "  -   ");
    refuse("postal inst: no dash", inst, "e608033", "31542", kPostalMsg);

    accept("email bk: empty", bk, "e500012", "");
    accept("email bk: blanks only", bk, "e500012", "    ");
    accept("email bk: valid", bk, "e500012", "a@b.pl");
    refuse("email bk: leading blank", bk, "e500012", " a@b.pl", kEmailMsg);
    refuse("email osup: two @", osup, "e500012", "a@b@c.pl", kEmailMsg);
    refuse("email repr: short domain", repr, "e502012", "a@b.p", kEmailMsg);
    refuse("email repr os up: diacritic", reprOs, "e503006", "żaba@b.pl", kEmailMsg);
    refuse("email inst: dot last", inst, "e608029", "a@bcd.", kEmailMsg);

    accept("inst NIP column accepts all", inst, "dxDBMaskEdit1", "xyz");
    accept("inst REGON column accepts all", inst, "dxDBMaskEdit2", "1");

    accept("state aid amount: empty", "Tfr_pomoc_pub_topaz_q", "e619033", "");
    refuse("state aid amount: negative", "Tfr_pomoc_pub_topaz_q", "e619033", "-0,01", kAmountMsg);
    accept("planned column 2004: zero", "Tfr_planowane_wydatki_topaz_q", "e6140012004", "0");
    refuse("planned column 2008: negative", "Tfr_planowane_wydatki_topaz_q", "e6140012008", "-5",
           kAmountMsg);
    refuse("profile column 2009: negative", "Tfr_profil_wyd_topaz_q", "e6150012009", "-1",
           kAmountMsg);
    refuse("sources column 2006: negative", "Tfr_zr_finans_topaz_q", "e6150012006", "-1 000,00",
           kAmountMsg);

    accept("month rozp: valid", harm, "e1000111", "01 2005");
    refuse("month rzecz rozp: month 13", harm, "e1000112", "13 2005", kMonthMsg);
    refuse("month rzecz zak: empty", harm, "e1000114", "", kMonthMsg);
    refuse("month fin zak: blank mask", harm, "e1000115", "       ", kMonthMsg);
    refuse("month okres: year 0", harm, "e1000116", "05 0000", kMonthMsg);
}

void TestInputChecks::attachedHandlers() {
    QFETCH(QString, frame);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(bool, accept);
    QFETCH(QString, message);
    const InputHandler handler = inputHandlerFor(frame, control);
    QVERIFY2(handler, qPrintable(frame + "/" + control));
    const InputVerdict v = handler(text);
    QCOMPARE(v.accept, accept);
    QCOMPARE(v.message, message);
}

// The template's variants that no control of this type carries, with their own empty
// texts and messages.
void TestInputChecks::templateHandlers_data() {
    QTest::addColumn<QString>("handler");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("message");
    const QString nipEsc = QStringLiteral("NIP nieprawidłowy. Użyj ESC żeby anulować");
    const QString regonEsc = QStringLiteral("REGON nieprawidłowy. Użyj ESC żeby anulować");
    const QString emailShort = QStringLiteral("Adres poczty elektronicznej - nieprawidłowy");
    QTest::newRow("NIP esc: empty") << "nipEsc"
                                    << "" << true << QString();
    QTest::newRow("NIP esc: ten blanks") << "nipEsc" << QString(10, ' ') << true << QString();
    QTest::newRow("NIP esc: blank mask") << "nipEsc"
                                         << "   -   -  -  " << true << QString();
    QTest::newRow("NIP esc: wrong") << "nipEsc"
                                    << "1234563219" << false << nipEsc;
    QTest::newRow("REGON esc: empty") << "regonEsc"
                                      << "" << true << QString();
    QTest::newRow("REGON esc: 8 digits") << "regonEsc"
                                         << "12345678" << false << regonEsc;
    QTest::newRow("email short: blanks") << "emailShort"
                                         << "  " << true << QString();
    QTest::newRow("email short: wrong") << "emailShort"
                                        << "a@b" << false << emailShort;
    QTest::newRow("currency value: zero") << "value"
                                          << "0" << true << QString();
    QTest::newRow("currency value: negative") << "value"
                                              << "-0.001" << false << kAmountMsg;
}

void TestInputChecks::templateHandlers() {
    QFETCH(QString, handler);
    QFETCH(QString, text);
    QFETCH(bool, accept);
    QFETCH(QString, message);
    InputVerdict v;
    if (handler == "nipEsc")
        v = validateNipInputEscHint(text);
    else if (handler == "regonEsc")
        v = validateRegonInputEscHint(text);
    else if (handler == "emailShort")
        v = validateEmailInputShort(text);
    else
        v = validateNonNegativeValue(text.toDouble());
    QCOMPARE(v, accept ? InputVerdict::accepted() : InputVerdict::refused(message));
}

// Where the attachments stop: the non-negative check covers the grids' year columns up to
// 2008 (planned expenditure) and 2009 (profile, sources), and the same control name is
// looked up per frame.
void TestInputChecks::controlsCarryingChecks_data() {
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("carries");
    QTest::newRow("planned 2003") << "Tfr_planowane_wydatki_topaz_q"
                                  << "e6140012003" << false;
    QTest::newRow("planned 2008") << "Tfr_planowane_wydatki_topaz_q"
                                  << "e6140012008" << true;
    QTest::newRow("planned 2009") << "Tfr_planowane_wydatki_topaz_q"
                                  << "e6140012009" << false;
    QTest::newRow("profile 2004") << "Tfr_profil_wyd_topaz_q"
                                  << "e6150012004" << true;
    QTest::newRow("sources 2009") << "Tfr_zr_finans_topaz_q"
                                  << "e6150012009" << true;
    QTest::newRow("sources 2010") << "Tfr_zr_finans_topaz_q"
                                  << "e6150012010" << false;
    QTest::newRow("profile column in another frame") << "Tfr_pomoc_pub_topaz_q"
                                                     << "e6150012004" << false;
    QTest::newRow("e500014 outside its frames") << "Tfr_osoba_upowazniona"
                                                << "e500014" << false;
    QTest::newRow("schedule month without check") << "Tfr_harm_real_proj_topaz_q"
                                                  << "e1000113" << false;
    QTest::newRow("unknown frame") << "Tfr_nieznana"
                                   << "e500009" << false;
}

void TestInputChecks::controlsCarryingChecks() {
    QFETCH(QString, frame);
    QFETCH(QString, control);
    QFETCH(bool, carries);
    QCOMPARE(bool(inputHandlerFor(frame, control)), carries);
}

void TestInputChecks::amount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accept");
    QTest::newRow("empty is 0") << "" << true;
    QTest::newRow("blanks are 0") << "   " << true;
    QTest::newRow("zero") << "0,00" << true;
    QTest::newRow("decimal comma") << "12,50" << true;
    QTest::newRow("decimal point") << "12.50" << true;
    QTest::newRow("thousands grouped") << "1 234 567,89" << true;
    QTest::newRow("grouped with no-break space") << QString("1") + QChar(0x00A0) + "234,00" << true;
    QTest::newRow("minus zero") << "-0" << true;
    QTest::newRow("smallest negative") << "-0,01" << false;
    QTest::newRow("negative grouped") << "-1 234,00" << false;
    QTest::newRow("not a number") << "abc" << false;
}

void TestInputChecks::amount() {
    QFETCH(QString, text);
    QFETCH(bool, accept);
    const InputVerdict v = validateNonNegativeInput(text);
    QCOMPARE(v, accept ? InputVerdict::accepted() : InputVerdict::refused(kAmountMsg));
}

void TestInputChecks::monthYear_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("January") << "01 2009" << QDate(2009, 1, 1);
    QTest::newRow("December") << "12 2008" << QDate(2008, 12, 1);
    QTest::newRow("separator other than blank") << "07.2006" << QDate(2006, 7, 1);
    QTest::newRow("month 13") << "13 2008" << QDate();
    QTest::newRow("month 0") << "00 2008" << QDate();
    QTest::newRow("year 0") << "05 0000" << QDate();
    QTest::newRow("month half typed") << "1  2008" << QDate();
    QTest::newRow("year half typed") << "05 20  " << QDate();
    QTest::newRow("letters") << "ab 2008" << QDate();
    QTest::newRow("signed month") << "+1 2008" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestInputChecks::monthYear() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(monthYearFromText(text).value_or(QDate()), date);
    QCOMPARE(validateMonthYearInput(text),
             date.isValid() ? InputVerdict::accepted() : InputVerdict::refused(kMonthMsg));
}

void TestInputChecks::dateShape_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("error");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank mask") << "    .  .  " << false;
    QTest::newRow("whole date") << "2008.05.12" << false;
    QTest::newRow("dashes") << "2008-05-12" << false;
    QTest::newRow("slashes") << "2008/05/12" << false;
    QTest::newRow("no day") << "2008.05.  " << true;
    QTest::newRow("no day, short") << "2008.05" << true;
    QTest::newRow("day first") << "12.05.2008" << true;
    QTest::newRow("two-digit year") << "08.05.12" << true;
    QTest::newRow("one-digit month") << "2008.5.12" << true;
    QTest::newRow("other separator") << "2008,05,12" << true;
    QTest::newRow("blank") << " " << true;
}

void TestInputChecks::dateShape() {
    QFETCH(QString, text);
    QFETCH(bool, error);
    bool flag = false;
    DataEditValidateDate(text, flag);
    QCOMPARE(flag, error);
}

void TestInputChecks::dateShapeNeverClearsEditorError() {
    bool flag = true;
    DataEditValidateDate(QStringLiteral("2008.05.12"), flag);
    QVERIFY(flag);
}

// e800003: the declaration date against the end of the stored settlement month.
void TestInputChecks::declarationWarning_data() {
    QTest::addColumn<QString>("settlementMonth"); // typed into harm_fin_zak_tmp
    QTest::addColumn<QDate>("declaration");       // typed into e800003
    QTest::addColumn<bool>("warns");
    QTest::newRow("within the month") << "06 2008" << QDate(2008, 6, 30) << false;
    QTest::newRow("day after the month") << "06 2008" << QDate(2008, 7, 1) << true;
    QTest::newRow("leap February end") << "02 2008" << QDate(2008, 2, 29) << false;
    QTest::newRow("earlier") << "06 2008" << QDate(2007, 1, 1) << false;
    QTest::newRow("declaration blank") << "06 2008" << QDate() << false;
    QTest::newRow("settlement blank") << "" << QDate(2030, 1, 1) << false;
}

void TestInputChecks::declarationWarning() {
    QFETCH(QString, settlementMonth);
    QFETCH(QDate, declaration);
    QFETCH(bool, warns);
    ModuleFixture fx;
    putMainRecord(fx, {{"harm_fin_zak_tmp", settlementMonth}});
    fx.ui.clearCalls();

    QCOMPARE(warnOnDeclarationDate(*fx.dm, declaration), warns);

    const QList<UiCall> boxes = fx.ui.calls(UiCall::Kind::MessageBox);
    QCOMPARE(boxes.size(), warns ? 1 : 0);
    const QList<UiCall> focus = fx.ui.calls(UiCall::Kind::FocusControl);
    QCOMPARE(focus.size(), warns ? 1 : 0);
    if (!warns) return;
    QCOMPARE(boxes[0].text, kDeclarationMsg);
    QCOMPARE(boxes[0].caption, QStringLiteral("Zelgor"));
    QCOMPARE(boxes[0].icon, MessageIcon::Warning);
    QCOMPARE(boxes[0].buttons, MessageButtons::Ok);
    QCOMPARE(focus[0].field.toLower(), QStringLiteral("osw_ben_data"));
}

// e1000115: the month check first, then the two warnings in order.
void TestInputChecks::settlementMonthWarning_data() {
    QTest::addColumn<QDate>("declaration"); // stored osw_ben_data
    QTest::addColumn<QString>("text");      // typed into e1000115
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QStringList>("warnings");
    const QDate mid2008(2008, 6, 15);
    QTest::newRow("month before the declaration")
        << mid2008 << "05 2008" << true << QStringList{kDeclarationMsg};
    QTest::newRow("month of the declaration") << mid2008 << "06 2008" << true << QStringList{};
    QTest::newRow("December 2008") << mid2008 << "12 2008" << true << QStringList{};
    QTest::newRow("January 2009") << mid2008 << "01 2009" << true << QStringList{k2008Msg};
    QTest::newRow("both") << QDate(2009, 3, 2) << "02 2009" << true
                          << QStringList{kDeclarationMsg, k2008Msg};
    QTest::newRow("declaration blank") << QDate() << "05 2008" << true << QStringList{};
    QTest::newRow("month 13: refused, no warning")
        << QDate(2030, 1, 1) << "13 2009" << false << QStringList{};
}

void TestInputChecks::settlementMonthWarning() {
    QFETCH(QDate, declaration);
    QFETCH(QString, text);
    QFETCH(bool, accept);
    QFETCH(QStringList, warnings);
    ModuleFixture fx;
    putMainRecord(fx, {{"osw_ben_data", declaration}});
    fx.ui.clearCalls();

    const InputVerdict v = validateSettlementMonthInput(*fx.dm, text);
    QCOMPARE(v, accept ? InputVerdict::accepted() : InputVerdict::refused(kMonthMsg));

    const QList<UiCall> boxes = fx.ui.calls(UiCall::Kind::MessageBox);
    QStringList shown;
    for (const UiCall& b : boxes) {
        shown << b.text;
        QCOMPARE(b.caption, QStringLiteral("Zelgor"));
        QCOMPARE(b.icon, MessageIcon::Warning);
    }
    QCOMPARE(shown, warnings);
    const QList<UiCall> focus = fx.ui.calls(UiCall::Kind::FocusControl);
    QCOMPARE(focus.size(), warnings.isEmpty() ? 0 : 1);
    if (!focus.isEmpty()) QCOMPARE(focus[0].field.toLower(), QStringLiteral("harm_fin_zak_tmp"));
}

QTEST_GUILESS_MAIN(TestInputChecks)
#include "tst_input_checks.moc"
