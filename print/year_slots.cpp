#include "print/year_slots.h"

#include "model/finance_years.h"

YearSlotLayout layOutYearSlots(const std::function<bool(int year)>& shown) {
    YearSlotLayout layout;
    int n = 0;
    for (int year = FinanceYears::kLastBaseYear + 1; year <= FinanceYears::kLastYear; ++year) {
        if (n < 8 && shown(year)) layout.assigned[size_t(n++)] = {YearSlot::Kind::Year, year};
    }
    layout.laterYears = n;
    if (n <= 8) layout.assigned[size_t(n)] = {YearSlot::Kind::Total, 0};
    return layout;
}
