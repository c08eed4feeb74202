// The rows of tabMapowanie, declared in stored order. An entry with a year range stands
// for one row per year, in ascending order; "{Y}" in its columns and constants is that
// year, and its non-base list goes to the first row of the group only.
#include "model/catalogue/mapping_rows.h"

namespace {

struct MappingEntry {
    const char* dsname;
    const char* table;
    const char* newRow;
    const char* parent = ""; // the parent database table; "": none
    const char* columns = "";
    const char* constants = "";
    const char* nonBase = "";
    const char* condition = "";
    int firstYear = 0; // 0: a single row
    int lastYear = 0;
    bool withYearFlags = false; // non-base list continues with the 78 year switches
};

constexpr const char* kApplication = "PLO_WNIOSKI";
constexpr const char* kIndicators = "PLO_WSKAZNIKI_CELOW_PROJEKTOW";

// The year switches of dsWniosek, family by family, 2004 ... 2016 each.
constexpr const char* kYearFlagFamilies[] = {"tab6lprod", "tab6lrez", "tab6ltyp",
                                             "tab6m",     "tab6n",    "tab6o"};

const MappingEntry kEntries[] = {
    // Row 1: the application row.
    {.dsname = "dsWniosek",
     .table = kApplication,
     .newRow = "N",
     .columns = "WNI_TYTUL_PROJEKTU=tytul_projektu;"
                "WNI_RODZAJ_PROJEKTU=rodz_proj;"
                "WNI_UMIEJSCOWIENIE=umiejscowienie;"
                "WNI_OPIS_PROJEKTU=opis_projektu;"
                "WNI_POWIAZANIA_Z_INNYMI_PROJ=powiazania_projektu;"
                "WNI_CZY_KORZ_Z_KONTRAKTOW_WOJ=inne_pr_kontr_woj;"
                "WNI_CZY_KORZ_ZE_SRODKOW_UE=inne_pr_sr_UE;"
                "WNI_CZY_KORZ_Z_INNYCH=inne_pr_in_mnar;"
                "WNI_CZY_KORZ_EFRR=inne_pr_EFRR;"
                "WNI_CZY_KORZ_OPIS=inne_pr_opis;"
                "WNI_TRWALOSC_PROJEKTU=trwalosc_projektu;"
                "WNI_POTRZEBA_WSPARCIA=potrzeba_wsparcia;"
                "WNI_POTRZEBA_WSPARCIA_OPIS=potrzeba_wsparcia_uzasad;"
                "WNI_PLAN_TERMIN_ROZPOCZECIA=harm_rozp;"
                "WNI_PLAN_TERMIN_RZECZ_ROZP=harm_rzecz_rozp;"
                "WNI_PLAN_TERMIN_RZECZ_ZAK=harm_rzecz_zak;"
                "WNI_PLAN_TERMIN_FINAN_ZAK=harm_fin_zak;"
                "WNI_PLAN_TERMIN_REZULTAT=harm_okres_rezultat;"
                "WNI_NIEMIERZALNE_EFEKTY_PROG=wsk_inne_efekty;"
                "WNI_TYP_PROJEKTU=typ_projektu;"
                "WNI_WPLYW_NA_SRODOWISKO=zgod_srod;"
                "WNI_WPLYW_NA_SRODOWISKO_OPIS=zgod_srod_uzasad;"
                "WNI_ROWNOSC_PLCI=zgod_row_szans;"
                "WNI_ROWNOSC_PLCI_OPIS=zgod_row_szans_uzasad;"
                "WNI_CZY_KORZ_Z_POMOCY_PUBL=zgod_pom_pub_korzystal;"
                "WNI_DATA_ROZP_PROC_ZAM_PUBL=zgod_zam_pub_data_rozp;"
                "WNI_DATA_OGL_PROC_ZAM_PUBL=zgod_zam_pub_data_ogl;"
                "WNI_ZAM_PUB_NR_OGL=zgod_zam_pub_nr_ogl;"
                "WNI_CZY_ROZP_PROC_ZAM_PUBL=zgod_zam_pub_rozp;"
                "WNI_OPIS_PROCEDURY_ZAM_PUBL=zgod_zam_pub;"
                "WNI_PROMOCJA_PROJEKTU=promocja_projektu",
     .nonBase =
         "pwd_nie_dot_4poz;powiazania_projektu_nie_dot;suma_kontrolna;lkp_rodz_projektu;"
         "lkp_umiejscowienie;lok_caly_kraj;lkp_zgod_srod;lkp_zgod_row_szans;zgod_pom_pub_nie_dot;"
         "osw_ben_data;lkp_zgod_zam_pub;harm_rozp_tmp;harm_rzecz_rozp_tmp;harm_rzecz_zak_tmp;"
         "harm_fin_zak_tmp;harm_okres_rezultat_tmp",
     .withYearFlags = true},
    // Row 2.
    {.dsname = "dsPomocPub",
     .table = "PLO_UDZIELONE_POMOCE",
     .newRow = "T",
     .parent = kApplication,
     .columns = "UPM_DATA=Data_udz_pom;UPM_TYTUL_POMOCY=Tytul_pomocy;UPM_KWOTA=Kwota_pomocy",
     .nonBase = "Lp."},
    // Rows 3-15 and 16-20: revenue per year, then for the five years after the project.
    {.dsname = "dsKatPrzych",
     .table = "PLO_PRZEWIDYWANE_PRZYCHODY",
     .newRow = "T",
     .parent = kApplication,
     .columns = "PPJ_KATEGORIA_PRZYCHODU=Kategoria_przychodu;PPJ_KWOTA={Y}",
     .constants = "PPJ_ROK={Y};PPJ_WAL_KOD=PLN",
     .nonBase = "Lp.",
     .firstYear = 2004,
     .lastYear = 2016},
    {.dsname = "dsKatPrzych",
     .table = "PLO_PRZEWIDYWANE_PRZYCHODY",
     .newRow = "T",
     .parent = kApplication,
     .columns = "PPJ_KATEGORIA_PRZYCHODU=Kategoria_przychodu;PPJ_KWOTA=n_{Y}",
     .constants = "PPJ_ROK={Y};PPJ_WAL_KOD=PLN",
     .firstYear = 1,
     .lastYear = 5},
    // Rows 21-33: planned expenditure under its stage.
    {.dsname = "dsPlanWydatki",
     .table = "PLO_WYDATKI_W_RAMACH_PROJEKTOW",
     .newRow = "T",
     .parent = "PLO_ETAPY_REALIZACJI_PROJEKTOW",
     .columns =
         "WRP_KATEGORIA_WYDATKU=Kategoria;WRP_KWOTA={Y};WRP_CZY_KWALIFIKOWANY=CZY_KWALIFIKOWANE",
     .constants = "WRP_ROK={Y}",
     .nonBase = "Id;Etap",
     .condition = "ds_nadrz=dsEtapyRealizacji;kol_nadrz=Lp;kol_pod=Etap",
     .firstYear = 2004,
     .lastYear = 2016},
    // Rows 34-46: sources of finance.
    {.dsname = "dsZrodlaFin",
     .table = "PLO_ZRODLA_FINANSOWANIA_PROJ",
     .newRow = "T",
     .parent = kApplication,
     .columns = "ZFP_NAZWA=Zrodlo;ZFP_KWOTA={Y};ZFP_NR=Id;ZFP_PAR_NR=par_id;ZFP_PROCENT={Y}_pr",
     .constants = "ZFP_ROK={Y}",
     .nonBase = "Razem_pr;RAZEM",
     .firstYear = 2004,
     .lastYear = 2016},
    // Row 47: expenditure profile, 2004 (with the total).
    {.dsname = "dsProfilWyd",
     .table = "PLO_UDZIALY_ZRODEL_FINANS",
     .newRow = "T",
     .parent = kApplication,
     .columns = "UZF_KWOTA=2004;UZF_NAZWA=Zrodlo;UZF_NR=Id;UZF_PAR_NR=par_id;UZF_PROCENT=2004_pr",
     .constants = "UZF_CZY_KOSZT_KWALIFIKOWALNY=T;UZF_ROK=2004",
     .nonBase = "RAZEM"},
    // Row 48.
    {.dsname = "dsEtapyRealizacji",
     .table = "PLO_ETAPY_REALIZACJI_PROJEKTOW",
     .newRow = "T",
     .parent = kApplication,
     .columns =
         "ERP_NAZWA=ZAKRES_PRAC;ERP_PLAN_TERMIN_ROZP=TERMIN_ROZP;ERP_PLAN_TERMIN_ZAK=TERMIN_ZAK",
     .nonBase = "Lp;TERMIN_ROZP_TMP;TERMIN_ZAK_TMP"},
    // Row 49.
    {.dsname = "dsLokalizacja",
     .table = "PLO_LOKALIZACJE_PROJEKTOW",
     .newRow = "T",
     .parent = kApplication,
     .columns = "LPR_JGE_ID=JGE_ID;LPR_MIEJSCOWOSC=Miejscowosc",
     .nonBase = "Lp.;WOJ_ID;Pow_ID;Gm_ID;Lkp_woj;Lkp_pow;Lkp_gm"},
    // Row 50: the implementation path, into the application row.
    {.dsname = "dsPozWdr",
     .table = kApplication,
     .newRow = "N",
     .columns = "WNI_PWD_ID=PWD_ID",
     .nonBase = "PWD_ID1;PWD_ID2;PWD_ID3;PWD_ID4;lkp_pwd1;lkp_pwd2;lkp_pwd3;lkp_pwd4;"
                "PWD_KOD_ID1;PWD_KOD_ID2;PWD_KOD_ID3;PWD_KOD_ID4"},
    // Row 51: the applicant.
    {.dsname = "dsBeneficjent",
     .table = "PLO_INSTYTUCJE",
     .newRow = "T",
     .parent = kApplication,
     .columns = "INS_NAZWA=Nazwa;"
                "INS_MIEJSCOWOSC=adr_miejscowosc;"
                "INS_NR_DOMU=adr_nr;"
                "INS_KOD_POCZTOWY=adr_kod;"
                "INS_ULICA=adr_ulica;"
                "INS_NR_TELEFONU=nr_tel;"
                "INS_NR_FAKSU=nr_fax;"
                "INS_MAIL=email;"
                "INS_FPW_ID=for_pr_kod;"
                "INS_IMIE=bk_imie;"
                "INS_NAZWISKO=bk_nazwisko;"
                "INS_NIP=NIP;"
                "INS_NR_W_KRS=nr_rej_sad;"
                "INS_NR_EDG=nr_rej_edg;"
                "INS_PESEL=PESEL;"
                "INS_REGON=REGON;"
                "INS_NR_LOKALU=adr_nr_lok;"
                "INS_KON_IMIE_NAZWISKO=cal_osk_imie_naz;"
                "INS_KON_FUNKCJA=osk_rola;"
                "INS_KON_NR_TELEFONU=osk_nr_tel;"
                "INS_KON_NR_FAKSU=osk_nr_fax;"
                "INS_KON_EMAIL=osk_email;"
                "INS_KON_ADRES=osk_adr_kor;"
                "INS_STANOWISKO=bk_stanowisko",
     .constants = "INS_RODZAJ=B",
     .nonBase = "Lkp_for_pr;osk_nazwisko;osk_imie;adr_woj_id;lkp_adr_woj;adr_pow_id;lkp_adr_pow;"
                "adr_gm_id;lkp_"
                "adr_gm"},
    // Row 52: the applicant's representative entity.
    {.dsname = "dsBeneficjent",
     .table = "PLO_INSTYTUCJE",
     .newRow = "T",
     .parent = kApplication,
     .columns = "INS_NAZWA=pod_nazwa;"
                "INS_MIEJSCOWOSC=pod_adr_miejscowosc;"
                "INS_NR_DOMU=pod_adr_nr;"
                "INS_KOD_POCZTOWY=pod_adr_kod;"
                "INS_ULICA=pod_adr_ulica;"
                "INS_NR_TELEFONU=pod_nr_tel;"
                "INS_NR_FAKSU=pod_nr_fax;"
                "INS_MAIL=pod_email;"
                "INS_NIP=pod_NIP;"
                "INS_NR_W_KRS=pod_nr_rej_sad;"
                "INS_NR_EDG=pod_nr_edg;"
                "INS_FPW_ID=pod_for_pr_kod;"
                "INS_PESEL=pod_PESEL;"
                "INS_REGON=pod_REGON;"
                "INS_NR_LOKALU=pod_adr_nr_lok",
     .constants = "INS_RODZAJ=R",
     .nonBase =
         "pod_adr_woj_id;pod_adr_pow_id;pod_adr_gm_id;lkp_pod_adr_woj;lkp_pod_adr_pow;lkp_pod_adr_"
         "gmina;lkp_pod_for_pr"},
    // Row 53: the area type, merged into every location row.
    {.dsname = "dsWniosek",
     .table = "PLO_LOKALIZACJE_PROJEKTOW",
     .newRow = "N",
     .parent = kApplication,
     .columns = "LPR_TYP_OBSZARU=umiejscowienie"},
    // Row 54 and rows 55-67: products and their yearly values.
    {.dsname = "dsProdukty",
     .table = kIndicators,
     .newRow = "T",
     .parent = kApplication,
     .columns = "WCP_NAZWA=Produkt;WCP_JEDNOSTKA=Jedn_miary",
     .constants = "WCP_TYP=P",
     .nonBase = "Lp.;Razem"},
    {.dsname = "dsProdukty",
     .table = "PLO_WARTOSCI_WCP",
     .newRow = "T",
     .parent = kIndicators,
     .columns = "WWC_WARTOSC={Y}",
     .constants = "WWC_ROK={Y}",
     .condition = "ds_nadrz=dsProdukty;kol_nadrz=lp.;kol_pod=lp.",
     .firstYear = 2004,
     .lastYear = 2016},
    // Row 68 and rows 69-81: results and their yearly values.
    {.dsname = "dsRezultaty",
     .table = kIndicators,
     .newRow = "T",
     .parent = kApplication,
     .columns = "WCP_NAZWA=Rezultat;WCP_JEDNOSTKA=Jedn_miary",
     .constants = "WCP_TYP=R",
     .nonBase = "Lp.;Razem"},
    {.dsname = "dsRezultaty",
     .table = "PLO_WARTOSCI_WCP",
     .newRow = "T",
     .parent = kIndicators,
     .columns = "WWC_WARTOSC={Y}",
     .constants = "WWC_ROK={Y}",
     .condition = "ds_nadrz=dsRezultaty;kol_nadrz=lp.;kol_pod=lp.",
     .firstYear = 2004,
     .lastYear = 2016},
    // Row 82: the intervention category, into the application row.
    {.dsname = "dsKatInt",
     .table = kApplication,
     .newRow = "N",
     .columns = "WNI_OIN_ID=ID",
     .nonBase = "ID1;ID2;ID3;lkp_kat1;lkp_kat2;lkp_kat3;KOD1;KOD2;KOD3"},
    // Row 83 and rows 84-88: impacts and their yearly values (2004-2008 only).
    {.dsname = "dsOddz",
     .table = kIndicators,
     .newRow = "T",
     .parent = kApplication,
     .columns = "WCP_NAZWA=Oddzialywanie;WCP_JEDNOSTKA=Jedn_miary",
     .constants = "WCP_TYP=O",
     .nonBase = "Lp.;Razem"},
    {.dsname = "dsOddz",
     .table = "PLO_WARTOSCI_WCP",
     .newRow = "T",
     .parent = kIndicators,
     .columns = "WWC_WARTOSC={Y}",
     .constants = "WWC_ROK={Y}",
     .condition = "ds_nadrz=dsOddz;kol_nadrz=lp.;kol_pod=lp.",
     .firstYear = 2004,
     .lastYear = 2008},
    // Row 89: other institutions.
    {.dsname = "dsInstytucje",
     .table = "PLO_INSTYTUCJE",
     .newRow = "T",
     .parent = kApplication,
     .columns = "INS_NAZWA=nazwa;"
                "INS_MIEJSCOWOSC=Adr_miejscowosc;"
                "INS_NR_DOMU=adr_nr;"
                "INS_KOD_POCZTOWY=adr_kod;"
                "INS_ULICA=adr_ulica;"
                "INS_NR_TELEFONU=nr_tel;"
                "INS_NR_FAKSU=nr_fax;"
                "INS_MAIL=email;"
                "INS_FPW_ID=for_pr_kod;"
                "INS_NR_LOKALU=adr_nr_lok;"
                "INS_KON_IMIE_NAZWISKO=cal_osk_imie_naz;"
                "INS_ROLA_W_PROJEKCIE=rola;"
                "INS_NIP=NIP;"
                "INS_NR_W_KRS=nr_rej_sad;"
                "INS_NR_EDG=nr_rej_edg;"
                "INS_REGON=REGON",
     .constants = "INS_RODZAJ=I",
     .nonBase = "Lp.;osk_nazwisko;osk_imie"},
    // Row 90: the applicant's authorised person.
    {.dsname = "dsBeneficjent",
     .table = "PLO_INSTYTUCJE",
     .newRow = "T",
     .parent = kApplication,
     .columns = "INS_NAZWISKO=osup_nazwisko;"
                "INS_IMIE=osup_imie;"
                "INS_ROLA_W_PROJEKCIE=osup_rola;"
                "INS_MIEJSCOWOSC=osup_adr_miejscowosc;"
                "INS_NR_DOMU=osup_adr_nr;"
                "INS_KOD_POCZTOWY=osup_adr_kod;"
                "INS_ULICA=osup_adr_ulica;"
                "INS_NR_TELEFONU=osup_nr_tel;"
                "INS_NR_FAKSU=osup_nr_fax;"
                "INS_MAIL=osup_email;"
                "INS_NR_LOKALU=osup_adr_nr_lok;"
                "INS_SERIA_NR_DOWODU=osup_seria_nr_dowodu",
     .nonBase = "cal_osup_imie_naz;osup_adr_woj_id;osup_adr_pow_id;osup_adr_gm_id;lkp_osup_adr_woj;"
                "lkp_osup_"
                "adr_pow;"
                "lkp_osup_adr_gmina"},
    // Rows 91-102: expenditure profile, 2005 onwards.
    {.dsname = "dsProfilWyd",
     .table = "PLO_UDZIALY_ZRODEL_FINANS",
     .newRow = "T",
     .parent = kApplication,
     .columns = "UZF_KWOTA={Y};UZF_NAZWA=Zrodlo;UZF_NR=Id;UZF_PAR_NR=par_id;UZF_PROCENT={Y}_pr",
     .constants = "UZF_CZY_KOSZT_KWALIFIKOWALNY=T;UZF_ROK={Y}",
     .firstYear = 2005,
     .lastYear = 2016},
    // Row 103: public procurement.
    {.dsname = "dsZamPub",
     .table = "PLO_ZAMOWIENIA_PUBLICZNE",
     .newRow = "T",
     .parent = kApplication,
     .columns = "ZP_ID=lp;"
                "ZP_NUMER=zgod_zam_pub;"
                "ZP_STATUS=zgod_zam_pub_rozp;"
                "ZP_DATA_ROZP=zgod_zam_pub_data_rozp;"
                "ZP_DATA_OG_PRZE=zgod_zam_pub_data_ogl;"
                "ZP_BZP_WYNIK=zgod_zam_pub_nr_ogl;"
                "ZP_TEMAT=zgod_zam_pub_przedmiot",
     .nonBase = "lkp_zgod_zam_pub"},
};

QString yearFlags() {
    QString out;
    for (const char* family : kYearFlagFamilies)
        for (int year = 2004; year <= 2016; ++year)
            out +=
                QLatin1Char(';') + QLatin1String(family) + QString::number(year) + QLatin1Char('v');
    return out;
}

MappingRow rowOf(const MappingEntry& e, int year, bool firstOfGroup) {
    const QString y = QString::number(year);
    auto withYear = [&](const char* text) {
        QString s = QString::fromUtf8(text);
        return year ? s.replace(QStringLiteral("{Y}"), y) : s;
    };
    MappingRow r;
    r.dsname = QString::fromUtf8(e.dsname);
    r.plo_tabela = QString::fromUtf8(e.table);
    r.nowy_wiersz = QString::fromUtf8(e.newRow);
    r.plo_kolumny = withYear(e.columns);
    r.plo_wartosci = withYear(e.constants);
    if (firstOfGroup) {
        r.niebazowe = QString::fromUtf8(e.nonBase);
        if (e.withYearFlags) r.niebazowe += yearFlags();
    }
    r.plo_nadrzedna = QString::fromUtf8(e.parent);
    r.warunek = QString::fromUtf8(e.condition);
    return r;
}

std::vector<MappingRow> expand() {
    std::vector<MappingRow> rows;
    for (const MappingEntry& e : kEntries) {
        if (e.firstYear == 0) {
            rows.push_back(rowOf(e, 0, true));
            continue;
        }
        for (int year = e.firstYear; year <= e.lastYear; ++year)
            rows.push_back(rowOf(e, year, year == e.firstYear));
    }
    return rows;
}

} // namespace

const std::vector<MappingRow>& declaredMappingRows() {
    static const std::vector<MappingRow> rows = expand();
    return rows;
}
