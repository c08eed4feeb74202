// The checks of single typed values and the handlers that the editor's controls run.
#include "validation/date_order_warnings.h"
#include "validation/input_checks.h"
#include "validation/input_handler_table.h"
#include "validation/input_handlers.h"
#include "validation/nip_reg_pes_valid.h"

#include "tests/model/module_fixture.h"

#include <QHash>
#include <QTest>

#include <functional>

using namespace ModuleTest;

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

} // namespace

class TestInputChecks : public QObject {
    Q_OBJECT

private slots:
    // The checks of typed identifiers, with the weights of their check digits.
    void identifiers_data() {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QString check;
        auto row = [&check](const char* name, const QString& text, bool valid) {
            QTest::addRow("%s %s", qPrintable(check), name) << check << text << valid;
        };
        check = "PESEL";
        row("check digit fits", "44051401359", true);
        row("wrong check digit", "44051401358", false);
        // Digits 1, 3, 7, 9 at every weighted place: a changed weight changes the check digit.
        row("every weight, 9 first", "97319731970", true);
        row("every weight, 1 first", "13791379130", true);
        row("every weight, wrong check", "39173917391", false);
        row("last five zeros, check fits", "55000000000", false);
        row("first six zeros, check fits", "00000012340", false);
        row("10 characters", "4405140135", false);
        row("empty", "", false);
        row("blank inside", "4405140 359", false);
        row("non-ASCII digit", QString("4405140135") + QChar(0x0669), false);
        check = "NIP";
        row("plain", "1234563218", true);
        row("dashes as printed", "123-456-32-18", true);
        row("dash between every digit", "1-2-3-4-5-6-3-2-1-8", true);
        row("blanks between groups", "123 456 32 18", false);
        row("wrong check digit", "1234563219", false);
        row("remainder 10, last digit 0", "1000000160", true);
        row("remainder 10, last digit 1", "1000000161", false);
        row("first five zeros, check fits", "0000012345", false);
        row("last five zeros, check fits", "1000900000", false);
        row("9 digits", "123456321", false);
        row("empty", "", false);
        check = "REGON";
        row("empty", "", true);
        row("7 digits", "1234567", true);
        row("9 digits, any check digit", "123456789", true);
        row("14 digits", "12345678901234", true);
        row("9 digits between blanks", "  123456789 ", true);
        row("8 digits", "12345678", false);
        row("9 characters with a letter", "1234A6789", false);
        row("blank inside 14", "1234567 901234", false);
        check = "postal";
        row("two, dash, three", "00-950", true);
        row("all zeros", "00-000", false);
        row("empty", "", false);
        row("five digits without dash", "31542", false);
        row("dash one place early", "3-1542", false);
        row("partly typed", "31-5  ", false);
        check = "email";
        row("shortest: a@b.pl", "a@b.pl", true);
        row("every allowed character", "Jan.Kowalski-1_x@Firma-2.com.pl", true);
        row("dot third from the end", "a@bcd.pl", true);
        row("three-character domain", "a@b.p", false);
        row("dot second to last", "a@bcd.p", false);
        row("domain without dot", "a@bcde", false);
        row("two @", "a@b@c.pl", false);
        row("no @", "ab.pl", false);
        row("diacritic in name", "łukasz@b.pl", false);
        row("blank inside", "a b@c.pl", false);
        row("trailing blank", "a@b.pl ", false);
        row("empty", "", false);
    }

    void identifiers() {
        QFETCH(QString, check);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const QHash<QString, bool (*)(const QString&)> checks{{"PESEL", CheckPESEL},
                                                              {"NIP", CheckNIP},
                                                              {"REGON", CheckREGON},
                                                              {"postal", CheckKodPoczt},
                                                              {"email", CheckEmail}};
        QCOMPARE(checks.value(check)(text), valid);
    }

    // The handlers as the frames attach them: what each treats as empty, the exact message
    // of a refusal, and the controls without a handler.
    void attachedHandlers_data() {
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
        auto none = [](const char* name, const QString& f, const char* c) { // no handler
            QTest::newRow(name) << f << QString(c) << QString() << false << QString();
        };

        accept("NIP bk: empty", bk, "e500014", "");
        accept("NIP bk: ten blanks", bk, "e500014", QString(10, ' '));
        refuse("NIP bk: nine blanks", bk, "e500014", QString(9, ' '), kNipMsg);
        refuse("NIP bk: blank mask with dashes", bk, "e500014", "   -   -  -  ", kNipMsg);
        refuse("NIP repr: wrong", repr, "e502014", "1000000161", kNipMsg);

        accept("REGON bk: empty", bk, "e500015", "");
        refuse("REGON bk: 8 digits", bk, "e500015", "12345678", kRegonMsg);
        refuse("REGON repr: letter", repr, "e502015", "1234A6789", kRegonMsg);

        accept("PESEL repr: empty", repr, "e502016", "");
        refuse("PESEL repr: eleven blanks", repr, "e502016", QString(11, ' '), kPeselMsg);
        refuse("PESEL repr: wrong", repr, "e502016", "44051401358", kPeselMsg);
        accept("PESEL slot of bk shows nr_rej_edg", bk, "e500016", "anything at all");

        accept("postal bk: empty", bk, "e500009", "");
        refuse("postal bk: blank mask", bk, "e500009", "  -   ", kPostalMsg);
        accept("postal repr: blank mask", repr, "e502009", "  -   ");
        refuse("postal repr: empty", repr, "e502009", "", kPostalMsg);
        accept("postal osup: blank mask", osup, "e500009", "  -   ");
        refuse("postal osup: partial", osup, "e500009", "31-5  ", kPostalMsg);
        accept("postal inst: blank mask", inst, "e608033", "  -   ");
        refuse("postal inst: no dash", inst, "e608033", "31542", kPostalMsg);

        accept("email bk: empty", bk, "e500012", "");
        accept("email bk: blanks only", bk, "e500012", "    ");
        refuse("email bk: leading blank", bk, "e500012", " a@b.pl", kEmailMsg);
        refuse("email osup: two @", osup, "e500012", "a@b@c.pl", kEmailMsg);
        refuse("email repr: short domain", repr, "e502012", "a@b.p", kEmailMsg);
        refuse("email repr os up: diacritic", reprOs, "e503006", "żaba@b.pl", kEmailMsg);
        refuse("email inst: dot last", inst, "e608029", "a@bcd.", kEmailMsg);

        accept("inst NIP column accepts all", inst, "dxDBMaskEdit1", "xyz");
        accept("inst REGON column accepts all", inst, "dxDBMaskEdit2", "1");

        accept("state aid amount: empty", "Tfr_pomoc_pub_topaz_q", "e619033", "");
        refuse("state aid amount: negative", "Tfr_pomoc_pub_topaz_q", "e619033", "-0,01",
               kAmountMsg);
        accept("planned column 2004: zero", "Tfr_planowane_wydatki_topaz_q", "e6140012004", "0");
        refuse("planned column 2008: negative", "Tfr_planowane_wydatki_topaz_q", "e6140012008",
               "-5", kAmountMsg);
        refuse("profile column 2009: negative", "Tfr_profil_wyd_topaz_q", "e6150012009", "-1",
               kAmountMsg);
        refuse("sources column 2006: negative", "Tfr_zr_finans_topaz_q", "e6150012006", "-1 000,00",
               kAmountMsg);
        // Where the attachments stop: the year columns up to 2008 (planned expenditure) and
        // 2009 (profile, sources); the same control name is looked up per frame.
        const char *planned = "Tfr_planowane_wydatki_topaz_q", *sources = "Tfr_zr_finans_topaz_q";
        none("planned 2003", planned, "e6140012003");
        none("planned 2009", planned, "e6140012009");
        refuse("sources 2009", sources, "e6150012009", "-1", kAmountMsg);
        none("sources 2010", sources, "e6150012010");
        none("profile column in another frame", "Tfr_pomoc_pub_topaz_q", "e6150012004");
        none("e500014 outside its frames", osup, "e500014");
        none("schedule month without check", harm, "e1000113");
        none("unknown frame", "Tfr_nieznana", "e500009");

        accept("month rozp: valid", harm, "e1000111", "01 2005");
        refuse("month rzecz rozp: month 13", harm, "e1000112", "13 2005", kMonthMsg);
        refuse("month rzecz zak: empty", harm, "e1000114", "", kMonthMsg);
        refuse("month fin zak: blank mask", harm, "e1000115", "       ", kMonthMsg);
        refuse("month okres: year 0", harm, "e1000116", "05 0000", kMonthMsg);
    }

    void attachedHandlers() {
        QFETCH(QString, frame);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(bool, accept);
        QFETCH(QString, message);
        const InputHandler handler = inputHandlerFor(frame, control);
        QCOMPARE(bool(handler), accept || !message.isEmpty()); // a refusal always explains
        if (!handler) return;
        const InputVerdict v = handler(text);
        QCOMPARE(v.accept, accept);
        QCOMPARE(v.message, message);
    }

    // The template's variants that no control of this type carries, with their own empty
    // texts and messages, and the check of typed amounts.
    void templateHandlers_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        const QString nipEsc = QStringLiteral("NIP nieprawidłowy. Użyj ESC żeby anulować");
        const QString regonEsc = QStringLiteral("REGON nieprawidłowy. Użyj ESC żeby anulować");
        const QString emailShort = QStringLiteral("Adres poczty elektronicznej - nieprawidłowy");
        auto row = [](const char* name, const char* handler, const QString& text,
                      const QString& refusal) {
            QTest::newRow(name) << handler << text << refusal;
        };
        row("NIP esc: empty", "nipEsc", "", {});
        row("NIP esc: blank mask", "nipEsc", "   -   -  -  ", {});
        row("NIP esc: wrong", "nipEsc", "1234563219", nipEsc);
        row("REGON esc: empty", "regonEsc", "", {});
        row("REGON esc: 8 digits", "regonEsc", "12345678", regonEsc);
        row("email short: blanks", "emailShort", "  ", {});
        row("email short: wrong", "emailShort", "a@b", emailShort);
        row("currency value: zero", "value", "0", {});
        row("currency value: negative", "value", "-0.001", kAmountMsg);
        // Typed amounts.
        row("amount: empty is 0", "amount", "", {});
        row("amount: blanks are 0", "amount", "   ", {});
        row("amount: decimal comma", "amount", "12,50", {});
        row("amount: thousands grouped", "amount", "1 234 567,89", {});
        row("amount: grouped with no-break space", "amount",
            QString("1") + QChar(0x00A0) + "234,00", {});
        row("amount: minus zero", "amount", "-0", {});
        row("amount: smallest negative", "amount", "-0,01", kAmountMsg);
        row("amount: negative grouped", "amount", "-1 234,00", kAmountMsg);
        row("amount: not a number", "amount", "abc", kAmountMsg);
    }

    void templateHandlers() {
        QFETCH(QString, handler);
        QFETCH(QString, text);
        QFETCH(QString, message);
        const QHash<QString, std::function<InputVerdict(const QString&)>> handlers{
            {"nipEsc", validateNipInputEscHint},
            {"regonEsc", validateRegonInputEscHint},
            {"emailShort", validateEmailInputShort},
            {"amount", validateNonNegativeInput},
            {"value", [](const QString& t) { return validateNonNegativeValue(t.toDouble()); }}};
        const InputVerdict v = handlers.value(handler)(text);
        QCOMPARE(v, message.isEmpty() ? InputVerdict::accepted() : InputVerdict::refused(message));
    }

    // The flag only ever turns on: a well-formed date leaves an earlier error standing.
    void dateShape_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("error");
        auto row = [](const char* name, const char* text, bool error, bool before = false) {
            QTest::newRow(name) << text << before << error;
        };
        row("empty", "", false);
        row("blank mask", "    .  .  ", false);
        row("whole date", "2008.05.12", false);
        row("slashes", "2008/05/12", false);
        row("no day", "2008.05.  ", true);
        row("day first", "12.05.2008", true);
        row("two-digit year", "08.05.12", true);
        row("one-digit month", "2008.5.12", true);
        row("other separator", "2008,05,12", true);
        row("good date keeps an earlier error", "2008.05.12", true, true);
    }

    void dateShape() {
        QFETCH(QString, text);
        QFETCH(bool, before);
        QFETCH(bool, error);
        bool flag = before;
        DataEditValidateDate(text, flag);
        QCOMPARE(flag, error);
    }

    // e800003: the declaration date against the end of the stored settlement month.
    void declarationWarning_data() {
        QTest::addColumn<QString>("settlementMonth"); // typed into harm_fin_zak_tmp
        QTest::addColumn<QDate>("declaration");       // typed into e800003
        QTest::addColumn<bool>("warns");
        QTest::newRow("within the month") << "06 2008" << QDate(2008, 6, 30) << false;
        QTest::newRow("day after the month") << "06 2008" << QDate(2008, 7, 1) << true;
        QTest::newRow("leap February end") << "02 2008" << QDate(2008, 2, 29) << false;
        QTest::newRow("declaration blank") << "06 2008" << QDate() << false;
        QTest::newRow("settlement blank") << "" << QDate(2030, 1, 1) << false;
    }

    void declarationWarning() {
        QFETCH(QString, settlementMonth);
        QFETCH(QDate, declaration);
        QFETCH(bool, warns);
        ModuleFixture fx;
        set(fx.t("dsWniosek"), {{"harm_fin_zak_tmp", settlementMonth}});
        fx.ui.clearCalls();

        QCOMPARE(warnOnDeclarationDate(*fx.dm, declaration), warns);

        const QString warning = box(QStringLiteral("Zelgor"), kDeclarationMsg, MessageIcon::Warning,
                                    MessageButtons::Ok);
        QCOMPARE(messageBoxes(fx.ui), warns ? QStringList{warning} : QStringList());
        const QList<UiCall> focus = fx.ui.calls(UiCall::Kind::FocusControl);
        QCOMPARE(focus.size(), warns ? 1 : 0);
        if (warns) QCOMPARE(focus[0].field.toLower(), QStringLiteral("osw_ben_data"));
    }

    // e1000115: the month check first, then the two warnings in order.
    void settlementMonthWarning_data() {
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

    void settlementMonthWarning() {
        QFETCH(QDate, declaration);
        QFETCH(QString, text);
        QFETCH(bool, accept);
        QFETCH(QStringList, warnings);
        ModuleFixture fx;
        set(fx.t("dsWniosek"), {{"osw_ben_data", declaration}});
        fx.ui.clearCalls();

        const InputVerdict v = validateSettlementMonthInput(*fx.dm, text);
        QCOMPARE(v, accept ? InputVerdict::accepted() : InputVerdict::refused(kMonthMsg));

        for (QString& w : warnings)
            w = box(QStringLiteral("Zelgor"), w, MessageIcon::Warning, MessageButtons::Ok);
        QCOMPARE(messageBoxes(fx.ui), warnings);
        const QList<UiCall> focus = fx.ui.calls(UiCall::Kind::FocusControl);
        QCOMPARE(focus.size(), warnings.isEmpty() ? 0 : 1);
        if (!focus.isEmpty())
            QCOMPARE(focus[0].field.toLower(), QStringLiteral("harm_fin_zak_tmp"));
    }
};

QTEST_GUILESS_MAIN(TestInputChecks)
#include "tst_input_checks.moc"
