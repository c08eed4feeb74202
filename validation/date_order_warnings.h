#pragma once

#include "validation/input_handlers.h"

#include <QDate>
#include <QStringList>

class TdmDataSets_t;

// The beneficiary's declaration must not be dated after the month of the final
// settlement, and the settlement is planned by the end of 2008. Both are checked while
// typing: the user is warned (caption "Zelgor", exclamation icon) and led back to the
// control, but the value is kept.

// The warnings for a declaration date typed into "e800003", given the first day of the
// stored settlement month (harm_fin_zak). A null date on either side means blank.
QStringList declarationDateWarnings(QDate declaration, QDate settlementMonth);

// The warnings for a settlement month typed into "e1000115" (its first day), given the
// stored declaration date (osw_ben_data, null when blank).
QStringList settlementMonthWarnings(QDate settlementMonth, QDate declaration);

// The handler of "e800003": shows the warnings through the module's user interface and
// puts the focus back on osw_ben_data. Returns whether it warned.
bool warnOnDeclarationDate(const TdmDataSets_t& dm, QDate declaration);

// The handler of "e1000115": the month check first; for a valid month the warnings are
// shown and the focus goes back to harm_fin_zak_tmp. The verdict is the month check's.
InputVerdict validateSettlementMonthInput(const TdmDataSets_t& dm, const QString& text);
