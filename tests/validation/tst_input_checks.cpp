// The checks of single typed values and the handlers that the editor's controls run.
#include "validation/date_order_warnings.h"
#include "validation/input_checks.h"
#include "validation/input_handler_table.h"
#include "validation/input_handlers.h"
#include "validation/nip_reg_pes_valid.h"

#include "tests/amount_cases.h"
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
const QString kNone = QStringLiteral("(no handler)"), kInvalid = QStringLiteral("invalid");
const QString k2008Msg = QStringLiteral(
    "Planowana data rozliczenia ostatniego kontraktu jest późniejsza niż 31.12.2008");

} // namespace

class TestInputChecks : public QObject {
    Q_OBJECT

private slots:
    // The checks of typed identifiers, with the weights of their check digits ("invalid" when
    // refused); then the handlers as the frames attach them ("frame/control"): what each treats
    // as empty, the exact message of a refusal (empty: accepted), and the controls without a
    // handler; then the check of typed amounts.
    void handlers_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QString check;
        auto id = [&check](const char* name, const QString& text, bool valid) {
            QTest::addRow("%s %s", qPrintable(check), name)
                << check << text << (valid ? QString() : kInvalid);
        };
        check = "PESEL";
        // Digits 1, 3, 7, 9 at every weighted place: a changed weight changes the check digit.
        id("every weight, 9 first", "97319731970", true);
        id("every weight, 1 first", "13791379130", true);
        id("every weight, wrong check", "39173917391", false);
        id("last five zeros, check fits", "55000000000", false);
        id("first six zeros, check fits", "00000012340", false);
        id("10 characters", "4405140135", false);
        id("empty", "", false);
        id("blank inside", "4405140 359", false);
        id("non-ASCII digit", QString("4405140135") + QChar(0x0669), false);
        check = "NIP";
        id("plain", "1234563218", true);
        id("dash between every digit", "1-2-3-4-5-6-3-2-1-8", true);
        id("blanks between groups", "123 456 32 18", false);
        id("remainder 10, last digit 0", "1000000160", true);
        id("remainder 10, last digit 1", "1000000161", false);
        id("first five zeros, check fits", "0000012345", false);
        id("last five zeros, check fits", "1000900000", false);
        id("9 digits", "123456321", false);
        id("empty", "", false);
        check = "REGON";
        id("empty", "", true);
        id("7 digits", "1234567", true);
        id("9 digits, any check digit", "123456789", true);
        id("14 digits", "12345678901234", true);
        id("9 digits between blanks", "  123456789 ", true);
        id("9 characters with a letter", "1234A6789", false);
        id("blank inside 14", "1234567 901234", false);
        check = "postal";
        id("two, dash, three", "00-950", true);
        id("empty", "", false);
        id("five digits without dash", "31542", false);
        id("dash one place early", "3-1542", false);
        id("partly typed", "31-5  ", false);
        check = "email";
        id("shortest: a@b.pl", "a@b.pl", true);
        id("every allowed character", "Jan.Kowalski-1_x@Firma-2.com.pl", true);
        id("dot third from the end", "a@bcd.pl", true);
        id("three-character domain", "a@b.p", false);
        id("dot second to last", "a@bcd.p", false);
        id("domain without dot", "a@bcde", false);
        id("two @", "a@b@c.pl", false);
        id("no @", "ab.pl", false);
        id("diacritic in name", "łukasz@b.pl", false);
        id("blank inside", "a b@c.pl", false);
        id("trailing blank", "a@b.pl ", false);
        id("empty", "", false);
        // The date editors' shape check; its flag only ever turns on: a well-formed date leaves
        // an earlier error standing.
        check = "date";
        id("empty", "", true);
        id("blank mask", "    .  .  ", true);
        id("whole date", "2008.05.12", true);
        id("slashes", "2008/05/12", true);
        id("no day", "2008.05.  ", false);
        id("day first", "12.05.2008", false);
        id("two-digit year", "08.05.12", false);
        id("one-digit month", "2008.5.12", false);
        id("other separator", "2008,05,12", false);
        check = "date after an error";
        id("whole date", "2008.05.12", false);
        const QString bk = "Tfr_bk_topaz_q/", repr = "Tfr_bk_pod_repr_topaz_q/",
                      reprOs = "Tfr_bk_pod_repr_os_up_topaz_q/", osup = "Tfr_osoba_upowazniona/",
                      inst = "Tfr_inne_inst_zaang_topaz_q/", harm = "Tfr_harm_real_proj_topaz_q/",
                      planned = "Tfr_planowane_wydatki_topaz_q/",
                      sources = "Tfr_zr_finans_topaz_q/";
        auto row = [](const char* name, const QString& handler, const QString& text,
                      const QString& message = {}) {
            QTest::newRow(name) << handler << text << message;
        };
        auto none = [&row](const char* name, const QString& handler) {
            row(name, handler, {}, kNone);
        };

        row("NIP bk: empty", bk + "e500014", "");
        row("NIP bk: ten blanks", bk + "e500014", QString(10, ' '));
        row("NIP bk: nine blanks", bk + "e500014", QString(9, ' '), kNipMsg);
        row("NIP bk: blank mask with dashes", bk + "e500014", "   -   -  -  ", kNipMsg);
        row("NIP repr: wrong", repr + "e502014", "1000000161", kNipMsg);

        row("REGON bk: empty", bk + "e500015", "");
        row("REGON repr: letter", repr + "e502015", "1234A6789", kRegonMsg);

        row("PESEL repr: empty", repr + "e502016", "");
        row("PESEL repr: eleven blanks", repr + "e502016", QString(11, ' '), kPeselMsg);

        row("postal bk: empty", bk + "e500009", "");
        row("postal bk: blank mask", bk + "e500009", "  -   ", kPostalMsg);
        row("postal repr: blank mask", repr + "e502009", "  -   ");
        row("postal repr: empty", repr + "e502009", "", kPostalMsg);
        row("postal osup: blank mask", osup + "e500009", "  -   ");
        row("postal osup: partial", osup + "e500009", "31-5  ", kPostalMsg);
        row("postal inst: blank mask", inst + "e608033", "  -   ");
        row("postal inst: no dash", inst + "e608033", "31542", kPostalMsg);

        row("email bk: empty", bk + "e500012", "");
        row("email bk: blanks only", bk + "e500012", "    ");
        row("email bk: leading blank", bk + "e500012", " a@b.pl", kEmailMsg);
        row("email osup: two @", osup + "e500012", "a@b@c.pl", kEmailMsg);
        row("email repr: short domain", repr + "e502012", "a@b.p", kEmailMsg);
        row("email repr os up: diacritic", reprOs + "e503006", "żaba@b.pl", kEmailMsg);
        row("email inst: dot last", inst + "e608029", "a@bcd.", kEmailMsg);

        row("inst REGON column accepts all", inst + "dxDBMaskEdit2", "1");

        row("state aid amount: empty", "Tfr_pomoc_pub_topaz_q/e619033", "");
        row("state aid amount: negative", "Tfr_pomoc_pub_topaz_q/e619033", "-0,01", kAmountMsg);
        row("sources column 2006: negative", sources + "e6150012006", "-1 000,00", kAmountMsg);
        // Where the attachments stop (the last years: typed into the grids); the same control
        // name is looked up per frame.
        none("planned 2003", planned + "e6140012003");
        none("profile column in another frame", "Tfr_pomoc_pub_topaz_q/e6150012004");
        none("e500014 outside its frames", osup + "e500014");
        none("schedule month without check", harm + "e1000113");
        none("unknown frame", "Tfr_nieznana/e500009");

        row("month rozp: valid", harm + "e1000111", "01 2005");
        row("month rzecz rozp: month 13", harm + "e1000112", "13 2005", kMonthMsg);
        row("month rzecz zak: empty", harm + "e1000114", "", kMonthMsg);
        row("month fin zak: blank mask", harm + "e1000115", "       ", kMonthMsg);
        row("month okres: year 0", harm + "e1000116", "05 0000", kMonthMsg);

        // The handlers of the template's interface that no control carries: their own messages,
        // and the blank NIP mask counts as empty.
        const QString nipEsc = "NIP nieprawidłowy. Użyj ESC żeby anulować",
                      regonEsc = "REGON nieprawidłowy. Użyj ESC żeby anulować";
        row("NIP esc: blank mask", "nipEsc", "   -   -  -  ");
        row("NIP esc: wrong", "nipEsc", "1234563219", nipEsc);
        row("REGON esc: empty", "regonEsc", "");
        row("REGON esc: 8 digits", "regonEsc", "12345678", regonEsc);
        row("email short: wrong", "emailShort", "a@b",
            "Adres poczty elektronicznej - nieprawidłowy");

        // The shared amounts: refused when they are no number or below zero, "-0" is zero.
        for (const AmountCases::Case& c : AmountCases::kCases)
            row(qPrintable(u("amount: ") + u(c.name)), "amount", u(c.typed),
                c.stored && *c.typed != '-' ? QString() : kAmountMsg);
        row("amount: minus zero", "amount", "-0");
    }

    void handlers() {
        QFETCH(QString, handler);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QHash<QString, InputHandler> templates{{"nipEsc", validateNipInputEscHint},
                                               {"regonEsc", validateRegonInputEscHint},
                                               {"emailShort", validateEmailInputShort},
                                               {"amount", validateNonNegativeInput}};
        for (const bool before : {false, true})
            templates[before ? "date after an error" : "date"] = [before](const QString& t) {
                bool error = before;
                DataEditValidateDate(t, error);
                return error ? InputVerdict::refused(kInvalid) : InputVerdict::accepted();
            };
        for (const auto& [name, check] :
             {std::pair<const char*, bool (*)(const QString&)>{"PESEL", CheckPESEL},
              {"NIP", CheckNIP},
              {"REGON", CheckREGON},
              {"postal", CheckKodPoczt},
              {"email", CheckEmail}})
            templates[name] = [check](const QString& t) {
                return check(t) ? InputVerdict::accepted() : InputVerdict::refused(kInvalid);
            };
        const InputHandler h = templates.value(
            handler, inputHandlerFor(handler.section(u'/', 0, 0), handler.section(u'/', 1)));
        QCOMPARE(bool(h), message != kNone);
        if (!h) return;
        QCOMPARE(h(text),
                 message.isEmpty() ? InputVerdict::accepted() : InputVerdict::refused(message));
    }

    // A date typed into e800003 against the end of the stored settlement month, or a month typed
    // into e1000115 (the month check first, then the two warnings in order) against the stored
    // declaration date; a warning leads back to the control.
    void dateWarnings_data() {
        QTest::addColumn<QString>("stored"); // the other field: "field=value"
        QTest::addColumn<QString>("typed");  // a yyyy-MM-dd declaration or a month
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QStringList>("warnings");
        auto declaration = [](const char* name, const char* month, const char* date, bool warns) {
            QTest::newRow(name) << u("harm_fin_zak_tmp=") + month << u(date) << true
                                << (warns ? QStringList{kDeclarationMsg} : QStringList());
        };
        declaration("leap February end", "02 2008", "2008-02-29", false);
        declaration("declaration blank", "06 2008", "", false);
        declaration("settlement blank", "", "2030-01-01", false);
        auto month = [](const char* name, const char* date, const char* text, bool accept,
                        const QStringList& warnings) {
            QTest::newRow(name) << u("osw_ben_data=") + date << u(text) << accept << warnings;
        };
        month("month before the declaration", "2008-06-15", "05 2008", true, {kDeclarationMsg});
        month("month of the declaration", "2008-06-15", "06 2008", true, {});
        month("both", "2009-03-02", "02 2009", true, {kDeclarationMsg, k2008Msg});
        month("declaration blank", "", "05 2008", true, {});
        month("month 13: refused, no warning", "2030-01-01", "13 2009", false, {});
    }

    void dateWarnings() {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, accept);
        QFETCH(QStringList, warnings);
        ModuleFixture fx;
        fx.play({u("dsWniosek: ") + stored});
        fx.ui.clearCalls();
        const bool declaration = stored.startsWith(u"harm");
        if (declaration)
            QCOMPARE(warnOnDeclarationDate(*fx.dm, QDate::fromString(typed, Qt::ISODate)),
                     !warnings.isEmpty());
        else
            QCOMPARE(validateSettlementMonthInput(*fx.dm, typed),
                     accept ? InputVerdict::accepted() : InputVerdict::refused(kMonthMsg));
        for (QString& w : warnings)
            w = box(QStringLiteral("Zelgor"), w, MessageIcon::Warning, MessageButtons::Ok);
        QCOMPARE(messageBoxes(fx.ui), warnings);
        QStringList focus;
        for (const UiCall& c : fx.ui.calls(UiCall::Kind::FocusControl))
            focus << c.field.toLower();
        QCOMPARE(focus, warnings.isEmpty() ? QStringList()
                        : declaration      ? QStringList{"osw_ben_data"}
                                           : QStringList{"harm_fin_zak_tmp"});
    }
};

QTEST_GUILESS_MAIN(TestInputChecks)
#include "tst_input_checks.moc"
