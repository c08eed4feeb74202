#include "validation/date_order_warnings.h"

#include "model/dm_main_tmpl.h"
#include "platform/ui/userinterface.h"
#include "platform/utils/montharithmetic.h"
#include "validation/input_checks.h"

namespace {

const QString kDeclarationAfterSettlement =
    QStringLiteral("Pole \"Oświadczenie beneficjenta - data\" zawiera datę późniejszą niż "
                   "\"Planowana data rozliczenia "
                   "ostatniego kontraktu\"");
const QString kSettlementAfter2008 = QStringLiteral(
    "Planowana data rozliczenia ostatniego kontraktu jest późniejsza niż 31.12.2008");
const QDate kLastSettlementDay(2008, 12, 31);

Field& mainRecordField(const TdmDataSets_t& dm, const char* name) {
    return dm.table(QStringLiteral("dsWniosek")).field(QLatin1String(name));
}

// Each warning in its own box; afterwards the user goes back to the control.
bool showWarnings(const TdmDataSets_t& dm, const QStringList& warnings, const Field& control) {
    for (const QString& w : warnings)
        dm.ui().messageBox(w, QStringLiteral("Zelgor"), MessageIcon::Warning, MessageButtons::Ok);
    if (!warnings.isEmpty()) dm.ui().focusControlForField(control);
    return !warnings.isEmpty();
}

} // namespace

QStringList declarationDateWarnings(QDate declaration, QDate settlementMonth) {
    if (declaration.isValid() && settlementMonth.isValid() &&
        declaration > Utils::endOfMonth(settlementMonth))
        return {kDeclarationAfterSettlement};
    return {};
}

QStringList settlementMonthWarnings(QDate settlementMonth, QDate declaration) {
    QStringList warnings;
    if (!settlementMonth.isValid()) return warnings;
    if (declaration.isValid() && Utils::endOfMonth(settlementMonth) < declaration)
        warnings << kDeclarationAfterSettlement;
    if (settlementMonth > kLastSettlementDay) warnings << kSettlementAfter2008;
    return warnings;
}

bool warnOnDeclarationDate(const TdmDataSets_t& dm, QDate declaration) {
    const QDate settlement = mainRecordField(dm, "harm_fin_zak").asDate();
    return showWarnings(dm, declarationDateWarnings(declaration, settlement),
                        mainRecordField(dm, "osw_ben_data"));
}

InputVerdict validateSettlementMonthInput(const TdmDataSets_t& dm, const QString& text) {
    const InputVerdict verdict = validateMonthYearInput(text);
    const auto month = monthYearFromText(text);
    if (verdict.accept && month) {
        const QDate declaration = mainRecordField(dm, "osw_ben_data").asDate();
        showWarnings(dm, settlementMonthWarnings(*month, declaration),
                     mainRecordField(dm, "harm_fin_zak_tmp"));
    }
    return verdict;
}
