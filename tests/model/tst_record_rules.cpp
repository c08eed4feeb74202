// The record rules on a whole module built from the sample dictionary.
#include "model/record_rules.h"
#include "module_fixture.h"

#include <QTest>

using namespace ModuleTest;

namespace {

// The attachments of the list: every special field with a works answer ("...RT").
QStringList attachmentCodes(const DataSet& ps) {
    QStringList out;
    for (const auto& f : ps.fields())
        if (f->name().startsWith(u"ZAL") && f->name().endsWith(u"RT")) out << f->name().chopped(2);
    return out;
}
const QStringList kAnswers = {"RT", "DT", "UT", "N", "ND"};

} // namespace

class TestRecordRules : public QObject {
    Q_OBJECT

private slots:
    void zerujZalezneRespectsReadOnly() {
        ModuleFixture m; // past the dictionary gate, as every export has it
        m.play({"gate", "+dsKatInt: ID3=5"});
        DataSet& t = m.t("dsKatInt");
        Field& id3 = t.field("ID3");
        id3.setReadOnly(true);
        m.dm->records().ZerujZalezne(id3);
        QCOMPARE(t.state(), DataSetState::Edit);
        QCOMPARE(id3.asInteger(), 5);
        id3.setReadOnly(false);
        t.post();
        m.dm->records().ZerujZalezne(id3);
        QVERIFY(id3.isNull());
    }

    // ---------------------------------------------------------------- switches of the records

    // Scripts of what a user enters, with checks ("?") of what the rules made of it.
    void switches_data() {
        QTest::addColumn<QStringList>("script");
        auto row = [](const QString& name, const QStringList& script) {
            QTest::newRow(qPrintable(name)) << QStringList{"gate"} + script;
        };
        // A new module, before the gate: its starting rows; the kind "RB" opened the works
        // column only; every attachment answered "yes" in it.
        const QStringList codes = attachmentCodes(ModuleFixture().t("dsPolaSpec"));
        QCOMPARE(codes.size(), 21);
        QStringList created =
            QStringList{"?dsWniosek#1",
                        "?dsWniosek.typ_projektu=N",
                        "?dsWniosek.rodz_proj=RB",
                        "?dsWniosek.zgod_zam_pub_rozp=T",
                        "?dsWniosek.zgod_zam_pub_data_rozp",
                        "?!active dsKatPrzych",
                        "?dsPozWdr#0",
                        "?dsPolaSpec#1"} +
            QStringList{"?!editing dsPolaSpec",           "?dsPolaSpec.CZYWYSTINNEINS=T",
                        "?active dsInstytucje",           "?enabled dsPolaSpec.ZALMAPYRT",
                        "?!enabled dsPolaSpec.ZALMAPYDT", "?!enabled dsPolaSpec.ZALMAPYUT"};
        created << "?dsWniosek.osw_ben_data=" + QDate::currentDate().toString(u"yyyy.MM.dd");
        for (const QString& code : codes)
            for (const QString& answer : kAnswers)
                created << u("?dsPolaSpec.%1%2=%3")
                               .arg(code, answer, answer == u"RT" ? u("T") : u("N"));
        QTest::newRow("new module") << created;
        row("the gate sets the programme and empties the kind",
            {"?dsPozWdr#1", "?dsPozWdr.PWD_KOD_ID1=SPOT", "?dsPozWdr.PWD_ID2",
             "?same dsPozWdr.PWD_ID=PWD_ID1", "?dsWniosek.rodz_proj", "?!editing dsWniosek",
             "?!changed"});
        row("the same path changes nothing",
            {"dsWniosek.rodz_proj=RB", "post dsWniosek", "changed", "pwd SPOT", "?changed",
             "?dsWniosek.rodz_proj=RB", "?!editing dsPozWdr"});
        // The deepest level chosen is the row's own.
        row("deepest levels",
            {"pwd SPOT 1 1.1 1.1.1", "?same dsPozWdr.PWD_ID=PWD_ID4", "pwd SPOT 1 1.3",
             "?same dsPozWdr.PWD_ID=PWD_ID3", "?dsKatInt.ID", "dsKatInt.ID1=3", "?dsKatInt.ID=3",
             "dsKatInt.ID2=18", "dsKatInt.ID3=79", "post dsKatInt", "?dsKatInt.ID=79"});
        // The priority decides whether the kind "IN" may be chosen.
        row("technical assistance: any kind", {"pwd SPOT 3", "?values sl_RPR1.WARTOSC=DS IN RB S"});
        row("priority 1: no other kind",
            {"pwd SPOT 3", "pwd SPOT 1", "?values sl_RPR1.WARTOSC=DS RB S"});
        row("priority empties the kind unless loading",
            {"dsWniosek.rodz_proj=DS", "post dsWniosek", "pwd SPOT 1", "?dsWniosek.rodz_proj",
             "?!editing dsWniosek", "dsWniosek.rodz_proj=DS", "post dsWniosek", "loading",
             "pwd SPOT 2", "?dsWniosek.rodz_proj=DS"});
        row("institutions' regions have no cascade",
            {"dsInstytucje.adr_woj_id=2", "dsInstytucje.adr_pow_id=18", "dsInstytucje.adr_woj_id=8",
             "?dsInstytucje.adr_pow_id=18"});
        row("further persons' regions cascade",
            {"+dsOsobyUpow", "dsOsobyUpow.osup_adr_woj_id=2", "dsOsobyUpow.osup_adr_pow_id=18",
             "dsOsobyUpow.osup_adr_gm_id=401", "dsOsobyUpow.osup_adr_woj_id=8",
             "?dsOsobyUpow.osup_adr_pow_id", "?dsOsobyUpow.osup_adr_gm_id",
             "?dsOsobyUpow.osup_adr_woj_id=8"});
        row("level 4 not applicable",
            {"pwd SPOT 1 1.1 1.1.2", "dsWniosek.pwd_nie_dot_4poz=T", "?dsPozWdr.PWD_ID4",
             "?!editing dsPozWdr", "?dsPozWdr.PWD_KOD_ID3=1.1", "?!enabled dsPozWdr.lkp_pwd4",
             "dsWniosek.pwd_nie_dot_4poz=N", "?enabled dsPozWdr.lkp_pwd4"});
        for (const QString type : {"D", "N", ""})
            row("project type " + type, {"dsWniosek.typ_projektu=D", "?active dsKatPrzych",
                                         "dsWniosek.typ_projektu=" + type,
                                         QString(type == "D" ? "?" : "?!") + "active dsKatPrzych"});
        // The flags kontr_woj, sr_UE, in_mnar, EFRR: any "T" keeps the description.
        const QList<QStringList> flagRows{
            {"N", "N", "N", "N"}, {"", "", "", ""}, {"T", "N", "N", "N"}, {"N", "", "N", "T"}};
        for (const QStringList& flags : flagRows) {
            const bool kept = flags.contains("T");
            row("other programmes " + flags.join('/'),
                {"dsWniosek.inne_pr_EFRR=T", "dsWniosek.inne_pr_opis=Program",
                 "dsWniosek.inne_pr_kontr_woj=" + flags[0], "dsWniosek.inne_pr_sr_UE=" + flags[1],
                 "dsWniosek.inne_pr_in_mnar=" + flags[2], "dsWniosek.inne_pr_EFRR=" + flags[3],
                 kept ? "?dsWniosek.inne_pr_opis=Program" : "?dsWniosek.inne_pr_opis",
                 QString(kept ? "?" : "?!") + "enabled dsWniosek.inne_pr_opis"});
        }
        row("whole country empties the locations",
            {"+dsLokalizacja", "dsLokalizacja.WOJ_ID=2", "post dsLokalizacja", "+dsLokalizacja",
             "dsLokalizacja.WOJ_ID=2", "post dsLokalizacja", "dsWniosek.lok_caly_kraj=N",
             "?dsLokalizacja#2", "dsWniosek.lok_caly_kraj=T", "?dsLokalizacja#0",
             "?active dsLokalizacja"});
        const QList<std::pair<const char*, const char*>> descriptions{
            {"powiazania_projektu_nie_dot", "powiazania_projektu"},
            {"realizuje_inne_pr_nie_dot", "realizuje_inne_pr_opis"}};
        for (const QString v : {"T", "N"})
            for (const auto& [flag, text] : descriptions) {
                const QString f = QString("dsWniosek.") + flag, d = QString("dsWniosek.") + text;
                row(f + "=" + v,
                    {f + "=T", d + "=Opis", f + "=" + v, v == "T" ? "?" + d : "?" + d + "=Opis",
                     QString(v == "T" ? "?!" : "?") + "enabled " + d});
            }
        row("state aid",
            {"dsWniosek.zgod_pom_pub_korzystal=T", "?active dsPomocPub",
             "?format dsPomocPub.Data_udz_pom=yyyy.mm.dd", "?format dsPomocPub.Kwota_pomocy=#0.00",
             "dsWniosek.zgod_pom_pub_nie_dot=T", "?dsWniosek.zgod_pom_pub_korzystal=N",
             "?readonly dsWniosek.zgod_pom_pub_korzystal", "?!active dsPomocPub",
             // Answering again finds the field locked and must not fail.
             "dsWniosek.zgod_pom_pub_nie_dot=T", "?dsWniosek.zgod_pom_pub_korzystal=N",
             "dsWniosek.zgod_pom_pub_nie_dot=N", "?!readonly dsWniosek.zgod_pom_pub_korzystal",
             "dsWniosek.zgod_pom_pub_korzystal=T", "?active dsPomocPub"});
        const QStringList procurement{"dsWniosek.zgod_zam_pub", "dsWniosek.zgod_zam_pub_rozp",
                                      "dsWniosek.zgod_zam_pub_nr_ogl",
                                      "dsWniosek.zgod_zam_pub_data_ogl"};
        QStringList notApplicable{"dsWniosek.zgod_zam_pub=PN", "dsWniosek.zgod_zam_pub_rozp=T",
                                  "dsWniosek.zgod_zam_pub_nr_ogl=12/2006",
                                  "dsWniosek.zgod_zam_pub_data_ogl=2006-05-01",
                                  "dsWniosek.zgod_zam_pub_nie_dot=T"};
        for (const QString& f : procurement)
            notApplicable << "?" + f << "?!enabled " + f;
        notApplicable << "?!enabled dsWniosek.lkp_zgod_zam_pub"
                      << "?readonly dsWniosek.zgod_zam_pub_rozp"
                      << "dsWniosek.zgod_zam_pub_nie_dot=T" // again, with the field locked
                      << "dsWniosek.zgod_zam_pub_nie_dot=N";
        for (const QString& f : procurement)
            notApplicable << "?enabled " + f;
        notApplicable << "?enabled dsWniosek.lkp_zgod_zam_pub"
                      << "?!readonly dsWniosek.zgod_zam_pub_rozp";
        row("procurement not applicable", notApplicable);
        // Started: the announcement is asked for; not started: the planned start date.
        for (const QString v : {"T", "N", ""}) {
            const QString kept = v == "T" ? "?!" : "?", gone = v == "T" ? "?" : "?!";
            row("procurement started " + v,
                {"dsWniosek.zgod_zam_pub_data_rozp=2006-01-01",
                 "dsWniosek.zgod_zam_pub_nr_ogl=12/2006",
                 "dsWniosek.zgod_zam_pub_data_ogl=2006-05-01", "dsWniosek.zgod_zam_pub_rozp=" + v,
                 gone + "dsWniosek.zgod_zam_pub_data_rozp", kept + "dsWniosek.zgod_zam_pub_nr_ogl",
                 kept + "dsWniosek.zgod_zam_pub_data_ogl",
                 QString(v == "N" ? "?" : "?!") + "enabled dsWniosek.zgod_zam_pub_data_rozp",
                 QString(v == "T" ? "?" : "?!") + "enabled dsWniosek.zgod_zam_pub_nr_ogl",
                 QString(v == "T" ? "?" : "?!") + "enabled dsWniosek.zgod_zam_pub_data_ogl"});
        }
        // A procurement record: the answer clears the fields it does not ask for, on change and on
        // posting, except while a file is loaded.
        const QString z = "dsZamPub.zgod_zam_pub";
        row("procurement record",
            {"+dsZamPub", "?" + z + "_rozp=T", z + "_data_rozp=2006-01-01", z + "_nr_ogl=1/2006",
             z + "_data_ogl=2006-02-01", z + "_rozp=N", "?" + z + "_nr_ogl", "?" + z + "_data_ogl",
             "?!" + z + "_data_rozp", z + "_nr_ogl=2/2006", "post dsZamPub", "?" + z + "_nr_ogl",
             "loading", z + "_nr_ogl=3/2006", "post dsZamPub", "?" + z + "_nr_ogl=3/2006"});
        // Full names as typed, cut to the field's size; checked while editing and posted.
        auto name = [&row](const char* n, const QString& t, const QString& prefix,
                           const QString& calculated, const QString& first, const QString& last,
                           const QString& expected) {
            const QString check = "?" + t + "." + calculated + "=" + expected;
            row(n, {t + "." + prefix + "imie=" + first, t + "." + prefix + "nazwisko=" + last,
                    check, "post " + t, check});
        };
        name("authorised", "dsBeneficjent", "osup_", "cal_osup_imie_naz", "Anna", "Nowak",
             "Anna Nowak");
        name("no trimming", "dsBeneficjent", "osk_", "cal_osk_imie_naz", "", " Kowalski ",
             "  Kowalski ");
        name("institution", "dsInstytucje", "osk_", "cal_osk_imie_naz", "Ewa", "Zając",
             "Ewa Zając");
        name("further person, nothing given", "dsOsobyUpow", "osup_", "calc_osup_imie_nazwisko", "",
             "", " ");
        name("cut to size", "dsOsobyUpow", "osup_", "calc_osup_imie_nazwisko", QString(40, 'a'),
             QString(40, 'b'), QString(40, 'a') + ' ' + QString(19, 'b'));
        // The smallest unit chosen, the country (Id 1) when none; the stored number survives.
        auto unit = [&row](const char* n, const QString& woj, const QString& pow, const QString& gm,
                           const QString& expected) {
            row(n, {"+dsLokalizacja", "dsLokalizacja.WOJ_ID=" + woj, "dsLokalizacja.Pow_ID=" + pow,
                    "dsLokalizacja.Gm_ID=" + gm, "post dsLokalizacja",
                    "?dsLokalizacja.JGE_ID=" + expected, "?dsLokalizacja.Lp.=1"});
        };
        unit("location: gmina", "2", "18", "401", "401");
        unit("location: powiat", "2", "18", "", "18");
        unit("location: voivodeship", "8", "", "", "8");
        unit("location: country", "", "", "", "1");
        row("other documents list",
            {"dsPolaSpec.ZALWYKINNEDOK=Opinia", "post dsPolaSpec",
             "dsPolaSpec.ZALINDOKN=T", // the works answer turns "N": no document is attached
             "?dsPolaSpec.ZALINDOKRT=N", "?dsPolaSpec.ZALWYKINNEDOK",
             "?!enabled dsPolaSpec.ZALWYKINNEDOK", "dsPolaSpec.ZALINDOKUT=T",
             "?enabled dsPolaSpec.ZALWYKINNEDOK", "dsPolaSpec.ZALWYKINNEDOK=Opinia",
             "dsPolaSpec.ZALINDOKDT=T", // turns the services answer "N", supplies still attach it
             "?dsPolaSpec.ZALINDOKUT=N", "?dsPolaSpec.ZALWYKINNEDOK=Opinia",
             "?enabled dsPolaSpec.ZALWYKINNEDOK"});
        row("other institutions switch",
            {"dsPolaSpec.INNEPODZAANOP=Gmina", "dsPolaSpec.CZYWYSTINNEINS=N",
             "?!active dsInstytucje", "?!dsPolaSpec.INNEPODZAANOP", "?dsPolaSpec.INNEPODZAANOP=",
             "?!enabled dsPolaSpec.INNEPODZAANOP", "dsPolaSpec.CZYWYSTINNEINS=T",
             "?active dsInstytucje", "?enabled dsPolaSpec.INNEPODZAANOP",
             // The main record's own switch of the institutions.
             "dsWniosek.inne_inst_zaang_nie_dot=T", "?!active dsInstytucje",
             "dsWniosek.inne_inst_zaang_nie_dot=N", "?active dsInstytucje"});

        // A change below the top of a cascade keeps the levels above it and empties those below;
        // the same value again still empties everything below.
        auto cascade = [&row](const char* name, const char* table, const char* chain) {
            const QStringList c = QString::fromLatin1(chain).split(u' ');
            QStringList s;
            for (int i = 0; i < c.size(); ++i)
                s << u("%1.%2=%3")
                         .arg(table, c[i],
                              c[i] == u"Miejscowosc" ? u("Nowogrodziec") : QString::number(10 + i));
            s << u("post ") + table << u("%1.%2=99").arg(table, c[1])
              << u("?%1.%2=10").arg(table, c[0]);
            for (int i = 2; i < c.size(); ++i)
                s << u("?%1.%2").arg(table, c[i]);
            s << u("cancel ") + table << u("%1.%2=10").arg(table, c[0]);
            for (int i = 1; i < c.size(); ++i)
                s << u("?%1.%2").arg(table, c[i]);
            row(u("cascade: ") + name, s);
        };
        cascade("applicant", "dsBeneficjent", "adr_woj_id adr_pow_id adr_gm_id");
        cascade("entity", "dsBeneficjent", "pod_adr_woj_id pod_adr_pow_id pod_adr_gm_id");
        cascade("contact", "dsBeneficjent", "OSK_ADR_WOJ_ID osk_adr_pow_id osk_adr_gm_id");
        cascade("authorised", "dsBeneficjent", "osup_adr_woj_id osup_adr_pow_id osup_adr_gm_id");
        cascade("location", "dsLokalizacja", "WOJ_ID Pow_ID Gm_ID Miejscowosc");
        cascade("path", "dsPozWdr", "PWD_ID1 PWD_ID2 PWD_ID3 PWD_ID4");
        cascade("category", "dsKatInt", "ID1 ID2 ID3");

        // The implementation path set by codes over "SPOT 1 1.2" (a "!" when refused): what is
        // stored level by level; the row is posted and no change is marked.
        auto path = [&row](const char* name, const char* codes, const char* stored) {
            QStringList s{"pwd SPOT 1 1.2",     "changed",  u(codes), "?dsPozWdr#1",
                          "?!editing dsPozWdr", "?!changed"};
            const QStringList levels = u(stored).split(u'|');
            for (int n = 1; n <= 4; ++n)
                s << u("?dsPozWdr.PWD_KOD_ID%1=%2").arg(n).arg(levels[n - 1]);
            row(u("path: ") + name, s);
        };
        path("full path", "pwd SPOT 1 1.1 1.1.1", "SPOT|1|1.1|1.1.1");
        path("measure only", "pwd SPOT 2 2.2", "SPOT|2|2.2|");
        path("unknown measure", "!pwd SPOT 1 9.9 1.1.1", "SPOT|1||");
        // "2.3" exists, but under priority 2 only.
        path("measure of another priority", "!pwd SPOT 1 2.3", "SPOT|1||");
        path("unknown priority", "!pwd SPOT 4", "SPOT|||");
        path("gap stops the walk", "pwd SPOT  1.1", "SPOT|||");
        path("unknown programme keeps the row", "!pwd XXX 1", "SPOT|1|1.2|");

        // The answers of an attachment exclude each other: the answers RT DT UT N ND of the code
        // afterwards; other attachments keep theirs.
        auto answers = [&](const char* name, const QString& code, const char* set,
                           const char* expected, bool loading = false) {
            QStringList s{loading ? "loading" : "loaded", u("dsPolaSpec.") + code + u(set),
                          "post dsPolaSpec"};
            for (int i = 0; i < kAnswers.size(); ++i)
                s << u("?dsPolaSpec.") + code + kAnswers[i] + QLatin1Char('=') +
                         QChar::fromLatin1(expected[i]);
            for (const QString& other : codes)
                if (other != code) s << u("?dsPolaSpec.") + other + u("RT=T");
            row(u("answers: ") + name, s);
        };
        answers("supplies", "ZALMAPY", "DT=T", "NTNNN");
        answers("no, answered no", "ZALMAPY", "N=N", "TNNNN");
        answers("no", "ZALMAPY", "N=T", "NNNTN");
        answers("not applicable", "ZALMAPY", "ND=T", "NNNNT");
        answers("services", "ZALMAPY", "UT=T", "NNTNN");
        answers("services while loading", "ZALMAPY", "UT=T", "TNTNN", true);
        // "ZALBIL" shares its first letters with "ZALBIZPL", which must keep its answer.
        answers("short code, no", "ZALBIL", "N=T", "NNNTN");
        answers("short code, supplies", "ZALBIL", "DT=T", "NTNNN");

        // The kind of project moves the "yes" of every attachment into its answer column (the works
        // column when the kind is unknown or a file is loaded) and opens that column only; an
        // attachment answered "no" keeps its answer.
        auto kind = [&](const char* name, const char* kind, const QString& column,
                        bool loading = false) {
            QStringList s{
                "dsWniosek.rodz_proj=RB",       "dsPolaSpec.ZALMAPYN=T",          "post dsPolaSpec",
                loading ? "loading" : "loaded", u("dsWniosek.rodz_proj=") + kind, "post dsPolaSpec",
                "?dsPolaSpec.ZALMAPYN=T"};
            for (const QString& code : codes)
                for (const QString answer : {"RT", "DT", "UT"}) {
                    const bool yes =
                        code != u"ZALMAPY" &&
                        (answer == column || (answer == u"RT" && (column.isEmpty() || loading)));
                    s << u("?dsPolaSpec.%1%2=%3").arg(code, answer, yes ? u("T") : u("N"))
                      << u("?%1enabled dsPolaSpec.%2%3")
                             .arg(answer == column ? u("") : u("!"), code, answer);
                }
            row(u("kind: ") + name, s);
        };
        kind("supplies", "DS", "DT");
        kind("services", "S", "UT");
        kind("works", "RB", "RT");
        kind("supplies while loading", "DS", "DT", true);
        kind("unknown kind", "MI", "");
        // The kind "IN" answers every attachment "no" but the other documents' services, which
        // keep their list; no works column stays open, the documents of any project keep their
        // supplies and services columns, those of building works lose them.
        QStringList other{"dsPolaSpec: ZALINDOKUT=T; ZALWYKINNEDOK=Opinia",
                          "dsWniosek.rodz_proj=IN", "?editing dsPolaSpec",
                          "?dsPolaSpec.ZALWYKINNEDOK=Opinia"};
        for (const QString& code : codes) {
            other << u("?!enabled dsPolaSpec.%1RT").arg(code);
            for (const QString& answer : kAnswers)
                other << u("?dsPolaSpec.%1=%2")
                             .arg(code + answer, code + answer == u"ZALINDOKUT" ? u("T") : u("N"));
        }
        for (const char* name : {"ZALINDOKUT", "ZALINDOKDT", "ZALBIZPLDT", "ZALBMOPVUT"})
            other << u("?enabled dsPolaSpec.") + name;
        for (const char* name : {"ZALMAPYDT", "ZALMAPYUT", "ZALPOZBUDDT", "ZALOCSRODUT"})
            other << u("?!enabled dsPolaSpec.") + name;
        row("kind: other", other);

        // A new row of a numbered list takes the next number, one inserted in the middle as
        // well; a deletion renumbers the rest in their order.
        for (const auto& [table, number] : {std::pair{"dsLokalizacja", "Lp."},
                                            {"dsInstytucje", "Lp."},
                                            {"dsPomocPub", "Lp."},
                                            {"dsOsobyUpow", "Lp"},
                                            {"dsZamPub", "lp"},
                                            {"dsProdukty", "Lp."},
                                            {"dsRezultaty", "Lp."},
                                            {"dsOddz", "Lp."},
                                            {"dsKatPrzych", "Lp."}}) {
            const QString t = u(table), numbers = u("?column %1.%2=1|2|3").arg(t, u(number));
            QStringList s{"dsWniosek.zgod_pom_pub_korzystal=T", "open " + t}; // opens with it
            for (int i = 0; i < 3; ++i)
                s << "+" + t << "post " + t;
            s << numbers << "goto " + t + " 2"
              << "insert " + t << u("?%1.%2=4").arg(t, u(number)) << "post " + t;
            if (t == u"dsPomocPub") s << "?dsPomocPub.Kwota_pomocy=0";
            s << "goto " + t + " 1"
              << "delete " + t << numbers;
            row(u("numbered list ") + t, s);
        }
    }

    void switches() {
        QFETCH(QStringList, script);
        ModuleFixture().play(script);
    }
};

QTEST_GUILESS_MAIN(TestRecordRules)
#include "tst_record_rules.moc"
