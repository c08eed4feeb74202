// The rules of the main record dsWniosek and the month inputs of the schedule.
#include "model/dm_main.h"
#include "model/record_hooks.h"
#include "model/record_rules.h"

#include <QDate>

using namespace RecordHooks;

namespace {

const char* const kOtherProgrammeFlags[] = {"inne_pr_kontr_woj", "inne_pr_sr_UE", "inne_pr_in_mnar",
                                            "inne_pr_EFRR"};
const char* const kMonthInputs[] = {"harm_rozp_tmp", "harm_rzecz_rozp_tmp", "harm_rzecz_zak_tmp",
                                    "harm_fin_zak_tmp", "harm_okres_rezultat_tmp"};
// The twins of the month inputs react to nothing themselves.
const char* const kMonthDates[] = {"harm_rozp", "harm_rzecz_rozp", "harm_rzecz_zak", "harm_fin_zak",
                                   "harm_okres_rezultat"};

void openOrClose(DataSet& t, bool open) {
    if (open)
        t.open();
    else
        t.close();
}

} // namespace

void RecordRules::attachMainRecord() {
    DataSet& wniosek = table("dsWniosek");
    wniosek.events.onNewRecord = [](DataSet& t) {
        t.field(QStringLiteral("osw_ben_data")).setValue(QDate::currentDate());
    };
    onChange("dsWniosek", "typ_projektu", [this](Field& f) {
        openOrClose(table("dsKatPrzych"), f.asString() == QLatin1String("D"));
    });
    onChange("dsWniosek", "rodz_proj",
             [this](Field& f) { UstawZalacznikiWgRodzaju(f.asString()); });
    for (const char* flag : kOtherProgrammeFlags)
        onChange("dsWniosek", flag, [this](Field& f) { otherProgrammesChanged(f); });
    onChange("dsWniosek", "lok_caly_kraj", [this](Field& f) {
        if (isYes(f)) table("dsLokalizacja").emptyTable();
    });

    // "Not applicable" flags that empty and lock their description.
    struct NotApplicable {
        const char* flag;
        const char* description;
    };
    constexpr NotApplicable kDescriptions[] = {
        {"powiazania_projektu_nie_dot", "powiazania_projektu"},
        {"realizuje_inne_pr_nie_dot", "realizuje_inne_pr_opis"},
    };
    for (const NotApplicable& n : kDescriptions) {
        Field* description = &wniosek.field(QLatin1String(n.description));
        onChange("dsWniosek", n.flag, [this, description](Field& f) {
            if (isYes(f)) description->clear();
            enableControl(*description, !isYes(f));
        });
    }
    onChange("dsWniosek", "inne_inst_zaang_nie_dot",
             [this](Field& f) { openOrClose(table("dsInstytucje"), !isYes(f)); });

    onChange("dsWniosek", "zgod_pom_pub_nie_dot", [this](Field& f) { stateAidNotApplicable(f); });
    onChange("dsWniosek", "zgod_pom_pub_korzystal",
             [this](Field& f) { openOrClose(table("dsPomocPub"), isYes(f)); });
    onChange("dsWniosek", "zgod_zam_pub_nie_dot",
             [this](Field& f) { procurementNotApplicable(f); });
    onChange("dsWniosek", "zgod_zam_pub_rozp", [this](Field& f) { procurementStarted(f); });

    for (const char* input : kMonthInputs)
        onChange("dsWniosek", input, [this](Field& f) { MiesiacNaDate(f); });
    for (const char* date : kMonthDates)
        onChange("dsWniosek", date, [](Field&) {});
    for (const char* input : {"TERMIN_ROZP_TMP", "TERMIN_ZAK_TMP"})
        onChange("dsEtapyRealizacji", input, [this](Field& f) { MiesiacNaDate(f); });
}

void RecordRules::otherProgrammesChanged(Field& flag) {
    DataSet& wniosek = *flag.dataSet();
    bool any = false;
    for (const char* name : kOtherProgrammeFlags)
        any = any || isYes(wniosek.field(QLatin1String(name)));
    Field& description = wniosek.field(QStringLiteral("inne_pr_opis"));
    if (!any) description.clear();
    enableControl(description, any);
}

// "Not applicable" answers the question "received aid" with no (the text "NULL" cut to
// the field's one character) and locks it.
void RecordRules::stateAidNotApplicable(Field& flag) {
    Field& received = flag.dataSet()->field(QStringLiteral("zgod_pom_pub_korzystal"));
    if (isYes(flag)) {
        received.setReadOnly(false); // a repeated "T" finds it locked already
        received.setValue(QStringLiteral("NULL"));
        received.setReadOnly(true);
    } else {
        received.setReadOnly(false);
    }
}

void RecordRules::procurementNotApplicable(Field& flag) {
    DataSet& wniosek = *flag.dataSet();
    const bool notApplicable = isYes(flag);
    Field& started = wniosek.field(QStringLiteral("zgod_zam_pub_rozp"));
    const char* const cleared[] = {"zgod_zam_pub", "zgod_zam_pub_rozp", "zgod_zam_pub_nr_ogl",
                                   "zgod_zam_pub_data_ogl"};
    started.setReadOnly(false);
    if (notApplicable) {
        for (const char* name : cleared)
            wniosek.field(QLatin1String(name)).clear();
        started.setReadOnly(true);
    }
    for (const char* name : cleared)
        enableControl(wniosek.field(QLatin1String(name)), !notApplicable);
    enableControl(wniosek.field(QStringLiteral("lkp_zgod_zam_pub")), !notApplicable);
}

void RecordRules::procurementStarted(Field& flag) {
    DataSet& wniosek = *flag.dataSet();
    clearByProcurementStart(wniosek);
    const QString value = flag.asString();
    enableControl(wniosek.field(QStringLiteral("zgod_zam_pub_data_rozp")), value == no());
    enableControl(wniosek.field(QStringLiteral("zgod_zam_pub_nr_ogl")), value == yes());
    enableControl(wniosek.field(QStringLiteral("zgod_zam_pub_data_ogl")), value == yes());
}
