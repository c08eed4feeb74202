#pragma once

// A complete application entered through the module's rules the way a user fills in the
// form: programme SPOT / priority 1 / measure 1.1 / sub-measure 1.1.1, a road project of
// kind "RB" in Nowogrodziec, two stages with planned expenditure, sources of finance with
// 75 % from the fund, public procurement and the required attachments. It passes every
// validation rule; tests break one family at a time on top of it.
#include "model/dm_main.h"

#include <QDate>

namespace SampleApplication {

inline void set(DataSet& t, const char* field, const QVariant& v) {
    if (!t.isEditing()) t.edit();
    t.field(QString::fromLatin1(field)).setValue(v);
}

inline void setAll(DataSet& t, std::initializer_list<std::pair<const char*, QVariant>> values) {
    for (const auto& [f, v] : values)
        set(t, f, v);
    t.post();
}

inline void appendRow(DataSet& t, std::initializer_list<std::pair<const char*, QVariant>> values) {
    t.append();
    for (const auto& [f, v] : values)
        t.field(QString::fromLatin1(f)).setValue(v);
    t.post();
}

// The amount of row Id of a finance tree in one year.
inline void enterAmount(DataSet& tree, int id, int year, double amount) {
    if (!tree.locate(QStringLiteral("Id"), id)) return;
    tree.edit();
    tree.field(QString::number(year)).setValue(amount);
    tree.post();
}

// What a variant of the sample changes after it has been filled in.
enum class Variant {
    Complete,
    CofinancingWarning, // 75.01 % from the fund in 2005, 80 % in 2007: one warning
    ApplicantMissing,   // the applicant's name and phone number left out
    ScheduleOutOfOrder, // the works start before the project does
    NoFinance,          // no amounts in the finance trees
    ProcurementMissing, // no procurement procedure
    AttachmentsMissing, // the maps of a works project not ticked
};

inline void fill(TdmDataSets& dm, Variant variant = Variant::Complete);

inline void fill(TdmDataSets& dm, Variant variant) {
    dm.UstawPWD(QStringLiteral("SPOT"), QStringLiteral("1"), QStringLiteral("1.1"),
                QStringLiteral("1.1.1"));

    DataSet& w = dm.table(QStringLiteral("dsWniosek"));
    setAll(
        w,
        {{"tytul_projektu",
          QString::fromUtf8(
              "Przebudowa drogi krajowej nr 30 na odcinku Nowogrodziec – Zebrzydowa")},
         {"rodz_proj", "RB"},
         {"umiejscowienie", "OM"},
         {"opis_projektu", QString::fromUtf8("Przebudowa 12 km drogi wraz z obiektami "
                                             "mostowymi.\nCel: poprawa bezpieczeństwa ruchu.")},
         {"powiazania_projektu_nie_dot", "T"},
         {"inne_pr_kontr_woj", "N"},
         {"inne_pr_sr_UE", "N"},
         {"inne_pr_in_mnar", "N"},
         {"inne_pr_EFRR", "T"},
         {"inne_pr_opis", QString::fromUtf8("Modernizacja skrzyżowań w 2003 r. ze środków EFRR.")},
         {"trwalosc_projektu",
          QString::fromUtf8("Utrzymanie drogi zapewni zarządca z budżetu państwa.")},
         {"potrzeba_wsparcia", "A"},
         {"potrzeba_wsparcia_uzasad",
          QString::fromUtf8("Brak własnych środków na pełny zakres prac.")},
         {"zgod_srod", "PPS2"},
         {"zgod_srod_uzasad", QString::fromUtf8("Projekt nie narusza obszarów chronionych.")},
         {"zgod_row_szans", "A2"},
         {"zgod_row_szans_uzasad", QString::fromUtf8("Projekt neutralny wobec równości szans.")},
         {"zgod_pom_pub_nie_dot", "N"},
         {"zgod_pom_pub_korzystal", "N"},
         {"promocja_projektu", QString::fromUtf8("Tablice informacyjne i strona internetowa.")},
         {"typ_projektu", "N"},
         {"harm_rozp_tmp", "01 2005"},
         {"harm_rzecz_rozp_tmp", "03 2005"},
         {"harm_rzecz_zak_tmp", "10 2006"},
         {"harm_fin_zak_tmp", "12 2006"},
         {"harm_okres_rezultat_tmp", "12 2007"},
         {"osw_ben_data", QDate(2004, 11, 15)}});

    DataSet& kat = dm.table(QStringLiteral("dsKatInt"));
    // 3 Infrastruktura podstawowa → 31 Infrastruktura transportowa → 311 Kolej.
    const QVariant int1 =
        dm.table(QStringLiteral("sl_INT1"))
            .lookup(QStringLiteral("KOD"), QStringLiteral("3"), QStringLiteral("ID"));
    DataSet& int2 = dm.table(QStringLiteral("sl_INT2"));
    DataSet& int3 = dm.table(QStringLiteral("sl_INT3"));
    const QVariant id2 =
        int2.lookup(QStringLiteral("KOD"), QStringLiteral("31"), QStringLiteral("ID"));
    const QVariant id3 =
        int3.lookup(QStringLiteral("KOD"), QStringLiteral("312"), QStringLiteral("ID"));
    setAll(kat, {{"ID1", int1}, {"ID2", id2}, {"ID3", id3}});

    DataSet& lok = dm.table(QStringLiteral("dsLokalizacja"));
    appendRow(lok,
              {{"WOJ_ID", 2}, {"Pow_ID", 18}, {"Gm_ID", 401}, {"Miejscowosc", "Nowogrodziec"}});

    DataSet& b = dm.table(QStringLiteral("dsBeneficjent"));
    setAll(b, {{"Nazwa", QString::fromUtf8("Generalna Dyrekcja Dróg Krajowych i Autostrad")},
               {"for_pr_kod", "SP"},
               {"adr_woj_id", 2},
               {"adr_pow_id", 18},
               {"adr_gm_id", 401},
               {"adr_miejscowosc", "Nowogrodziec"},
               {"adr_ulica", "Rynek"},
               {"adr_nr", "1"},
               {"adr_kod", "59-730"},
               {"nr_tel", "75 731 00 00"},
               {"email", "sekretariat@example.pl"},
               {"NIP", "5260000005"},
               {"REGON", "017511575"},
               {"nr_rej_sad", "0000012345"},
               {"osup_nazwisko", "Kowalski"},
               {"osup_imie", "Jan"},
               {"osup_rola", "Dyrektor"},
               {"osup_adr_woj_id", 2},
               {"osup_adr_pow_id", 18},
               {"osup_adr_gm_id", 401},
               {"osup_adr_miejscowosc", "Nowogrodziec"},
               {"osup_adr_nr", "1"},
               {"osup_adr_kod", "59-730"},
               {"osup_nr_tel", "75 731 00 01"},
               {"osk_nazwisko", "Nowak"},
               {"osk_imie", "Anna"},
               {"osk_rola", "Kierownik projektu"},
               {"osk_nr_tel", "75 731 00 02"},
               {"osk_adr_kor", "ul. Rynek 1, 59-730 Nowogrodziec"},
               {"bk_imie", "JAN"},
               {"bk_nazwisko", QString::fromUtf8("KOWALSKI-ŻÓŁTOWSKI")},
               {"bk_stanowisko", "Dyrektor"}});

    DataSet& spec = dm.table(QStringLiteral("dsPolaSpec"));
    setAll(
        spec,
        {{"CZYWYSTINNEINS", "N"}, {"ZALOCSRODRT", "T"}, {"ZALMAPYRT", "T"}, {"ZALBIZPLRT", "T"}});

    DataSet& etapy = dm.table(QStringLiteral("dsEtapyRealizacji"));
    appendRow(etapy, {{"ZAKRES_PRAC", QString::fromUtf8("Prace przygotowawcze i projekt")},
                      {"TERMIN_ROZP_TMP", "03 2005"},
                      {"TERMIN_ZAK_TMP", "12 2005"}});
    appendRow(etapy, {{"ZAKRES_PRAC", QString::fromUtf8("Roboty budowlane")},
                      {"TERMIN_ROZP_TMP", "01 2006"},
                      {"TERMIN_ZAK_TMP", "10 2006"}});

    // Planned expenditure: the qualified row of each stage gets a category and amounts.
    DataSet& plan = dm.table(QStringLiteral("dsPlanWydatki"));
    for (int i = 1; i <= plan.recordCount(); ++i) {
        plan.setRecNo(i);
        const bool qualified =
            plan.field(QStringLiteral("CZY_KWALIFIKOWANE")).asString() == QLatin1String("T");
        const int stage = int(plan.field(QStringLiteral("Etap")).asInteger());
        plan.edit();
        plan.field(QStringLiteral("Kategoria"))
            .setValue(qualified ? QString::fromUtf8("Roboty budowlane")
                                : QString::fromUtf8("Podatek VAT"));
        plan.field(QString::number(2004 + stage)).setValue(qualified ? 800000.0 : 176000.0);
        plan.post();
    }

    // Sources of finance and the expenditure profile: 75 % from the fund, the rest from
    // the state budget, in 2005 and 2006.
    for (const char* name : {"dsZrodlaFin", "dsProfilWyd"}) {
        DataSet& tree = dm.table(QString::fromLatin1(name));
        for (int year : {2005, 2006}) {
            enterAmount(tree, 2, year, 600000.0);
            enterAmount(tree, 4, year, 200000.0);
        }
    }

    DataSet& prod = dm.table(QStringLiteral("dsProdukty"));
    appendRow(prod, {{"Produkt", QString::fromUtf8("Długość przebudowanej drogi")},
                     {"Jedn_miary", "km"},
                     {"2006", 12.0}});
    DataSet& rez = dm.table(QStringLiteral("dsRezultaty"));
    appendRow(rez, {{"Rezultat", QString::fromUtf8("Skrócenie czasu przejazdu")},
                    {"Jedn_miary", "min"},
                    {"2006", 8.0}});
    DataSet& zam = dm.table(QStringLiteral("dsZamPub"));
    if (variant != Variant::ProcurementMissing)
        appendRow(zam, {{"zgod_zam_pub", "PN"},
                        {"zgod_zam_pub_rozp", "T"},
                        {"zgod_zam_pub_nr_ogl", "2005/S 12-345"},
                        {"zgod_zam_pub_data_ogl", QDate(2005, 6, 1)}});

    switch (variant) {
    case Variant::Complete:
    case Variant::ProcurementMissing:
        break;
    case Variant::CofinancingWarning: {
        setAll(w, {{"harm_rzecz_zak_tmp", "10 2007"},
                   {"harm_fin_zak_tmp", "12 2007"},
                   {"harm_okres_rezultat_tmp", "12 2008"}});
        DataSet& zrodla = dm.table(QStringLiteral("dsZrodlaFin"));
        enterAmount(zrodla, 2, 2005, 750100.0);
        enterAmount(zrodla, 4, 2005, 249900.0);
        enterAmount(zrodla, 2, 2007, 800000.0);
        enterAmount(zrodla, 4, 2007, 200000.0);
        break;
    }
    case Variant::ApplicantMissing:
        setAll(b, {{"Nazwa", QString()}, {"nr_tel", QString()}});
        break;
    case Variant::ScheduleOutOfOrder:
        setAll(w, {{"harm_rzecz_rozp_tmp", "11 2004"}});
        break;
    case Variant::NoFinance:
        for (const char* name : {"dsZrodlaFin", "dsProfilWyd"}) {
            DataSet& tree = dm.table(QString::fromLatin1(name));
            for (int year : {2005, 2006}) {
                enterAmount(tree, 2, year, 0.0);
                enterAmount(tree, 4, year, 0.0);
            }
        }
        break;
    case Variant::AttachmentsMissing:
        setAll(spec, {{"ZALMAPYRT", "N"}});
        break;
    }
}

} // namespace SampleApplication
