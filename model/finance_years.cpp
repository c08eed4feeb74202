#include "model/finance_years.h"

#include "model/dm_main_tmpl.h"
#include "platform/dataset/dataset.h"

#include <QHash>

namespace FinanceYears {

QString columnName(int year, const char* suffix) {
    // The rules ask for these names all the time; build the two families once.
    static const auto names = [] {
        std::array<std::array<QString, kYearCount>, 2> n;
        for (int y = kFirstYear; y <= kLastYear; ++y) {
            n[0][size_t(y - kFirstYear)] = QString::number(y);
            n[1][size_t(y - kFirstYear)] = QString::number(y) + QLatin1String("_pr");
        }
        return n;
    }();
    if (year >= kFirstYear && year <= kLastYear) {
        if (*suffix == 0) return names[0][size_t(year - kFirstYear)];
        if (qstrcmp(suffix, "_pr") == 0) return names[1][size_t(year - kFirstYear)];
    }
    return QString::number(year) + QLatin1String(suffix);
}

YearFields yearFields(const DataSet& table, const char* suffix) {
    YearFields out{};
    for (int year = kFirstYear; year <= kLastYear; ++year)
        out[size_t(year - kFirstYear)] = &table.field(columnName(year, suffix));
    return out;
}

double sumOfYears(const YearFields& years) {
    double sum = 0.0;
    for (const Field* f : years)
        sum += amount(f->value());
    return sum;
}

namespace {

// The switch names of a family ("tab6n2004v" ...): the rules read them at every post of a
// finance row, so each family's names are built once per thread.
const std::array<QString, kYearCount>& switchNames(const QString& family) {
    thread_local QHash<QString, std::array<QString, kYearCount>> byFamily;
    auto it = byFamily.find(family);
    if (it == byFamily.end()) {
        std::array<QString, kYearCount> names;
        for (int year = kFirstYear; year <= kLastYear; ++year)
            names[size_t(year - kFirstYear)] = family + QString::number(year) + QLatin1Char('v');
        it = byFamily.insert(family, names);
    }
    return *it;
}

} // namespace

Visibility::Visibility(const TdmDataSets_t& dm, const QString& family) {
    const DataSet* wniosek = dm.findTable(QStringLiteral("dsWniosek"));
    // The row being appended counts too: its buffer already holds the defaults.
    const bool hasRow = wniosek && (wniosek->isEditing() || wniosek->recordCount() > 0);
    const auto& names = switchNames(family);
    for (int year = kFirstYear; year <= kLastYear; ++year) {
        bool shown = year <= kLastBaseYear;
        if (hasRow) {
            const QString flag = wniosek->field(names[size_t(year - kFirstYear)]).asString();
            if (flag == QLatin1String("T"))
                shown = true;
            else if (flag == QLatin1String("N"))
                shown = false;
        }
        shown_[size_t(year - kFirstYear)] = shown;
    }
}

void zeroNewRowYears(DataSet& table, const Visibility* later, bool withPercent) {
    for (int year = kFirstYear; year <= kLastBaseYear; ++year)
        table.field(columnName(year)).setValue(0.0);
    if (!later) return;
    for (int year = kLastBaseYear + 1; year <= kLastYear; ++year) {
        if (!later->shown(year)) continue;
        table.field(columnName(year)).setValue(0.0);
        if (withPercent) table.field(columnName(year, "_pr")).setValue(0.0);
    }
}

} // namespace FinanceYears
