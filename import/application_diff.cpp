#include "import/application_diff.h"

#include "model/catalogue/mapping_rows.h"
#include "model/dm_main_tmpl.h"
#include "platform/dataset/dataset.h"

#include <QStringList>

#include <algorithm>

namespace {

// One compared column: the stored field and the field whose value the user sees (a lookup
// over it, or the field itself).
struct Column {
    const Field* data;
    QString shown; // field name of what is displayed
    DiffPlace place;
    // The same fields in the two tables compared (each module has its own).
    const Field* dataA = nullptr;
    const Field* dataB = nullptr;
    const Field* shownA = nullptr;
    const Field* shownB = nullptr;
};

// The tables a file carries, in the order of the mapping, then the special fields.
QStringList fileTables(const TdmDataSets_t& dm) {
    QStringList names;
    for (const MappingRow& row : declaredMappingRows())
        if (!names.contains(row.dsname) && dm.findTable(row.dsname)) names << row.dsname;
    if (dm.findTable(QStringLiteral("dsPolaSpec"))) names << QStringLiteral("dsPolaSpec");
    return names;
}

QString text(const DataSet& table, int row, const Field* f) {
    if (!f || row < 1 || row > table.recordCount()) return {};
    return FieldText::format(f->type(), table.valueAt(row, *f));
}

QString text(const DataSet& table, int row, const QString& field) {
    return text(table, row, table.findField(field));
}

std::vector<Column> columnsOf(const DataSet& table, const DiffCaptions& captions,
                              const std::optional<DiffPlace>& list) {
    std::vector<Column> columns;
    const auto placeOf = [&](const QString& field) -> std::optional<DiffPlace> {
        return captions.field ? captions.field(table.name(), field) : std::nullopt;
    };
    for (const auto& f : table.fields()) {
        // The stored checksum is reported on its own, as each file's checksum state.
        if (f->kind() != FieldKind::Data ||
            f->name().compare(QLatin1String("suma_kontrolna"), Qt::CaseInsensitive) == 0)
            continue;
        Column c{f.get(), f->name(), {}};
        std::optional<DiffPlace> place = placeOf(f->name());
        // A key shown through its lookup: the lookup's caption and text.
        for (const auto& l : table.fields())
            if (!place && l->kind() == FieldKind::Lookup &&
                l->definition().keyField.compare(f->name(), Qt::CaseInsensitive) == 0)
                if ((place = placeOf(l->name()))) c.shown = l->name();
        if (place) {
            c.place = *place;
        } else {
            c.place.caption = f->name();
            c.place.section = list ? list->section : table.name();
            c.place.control = list ? list->control : QString();
        }
        columns.push_back(c);
    }
    return columns;
}

// Columns that number the rows (each row holds its own number on both sides) are left out
// of the row contents: an inserted row renumbers the rows after it.
bool numbersRows(const DataSet& a, const DataSet& b, const Field& f) {
    if (f.type() != FieldType::Integer && f.type() != FieldType::Int64) return false;
    for (const DataSet* t : {&a, &b}) {
        const Field* own = t->findField(f.name());
        if (!own || t->recordCount() == 0) return false;
        for (int r = 1; r <= t->recordCount(); ++r)
            if (t->valueAt(r, *own).toLongLong() != r) return false;
    }
    return true;
}

// Pairs equal rows (the longest common subsequence after the common start and end); -1
// where a row has no equal partner.
std::vector<int> equalPartners(const QStringList& a, const QStringList& b) {
    const qsizetype n = a.size(), m = b.size();
    std::vector<int> partner(size_t(n), -1);
    qsizetype start = 0;
    while (start < n && start < m && a[start] == b[start]) {
        partner[size_t(start)] = int(start);
        ++start;
    }
    qsizetype endA = n, endB = m;
    while (endA > start && endB > start && a[endA - 1] == b[endB - 1]) {
        partner[size_t(endA - 1)] = int(endB - 1);
        --endA;
        --endB;
    }
    const qsizetype rows = endA - start, cols = endB - start;
    if (rows == 0 || cols == 0 || rows * cols > 16'000'000) return partner;
    std::vector<std::vector<int>> lcs(size_t(rows + 1), std::vector<int>(size_t(cols + 1), 0));
    for (qsizetype i = rows - 1; i >= 0; --i)
        for (qsizetype j = cols - 1; j >= 0; --j)
            lcs[size_t(i)][size_t(j)] =
                a[start + i] == b[start + j]
                    ? lcs[size_t(i + 1)][size_t(j + 1)] + 1
                    : std::max(lcs[size_t(i + 1)][size_t(j)], lcs[size_t(i)][size_t(j + 1)]);
    for (qsizetype i = 0, j = 0; i < rows && j < cols;) {
        if (a[start + i] == b[start + j]) {
            partner[size_t(start + i)] = int(start + j);
            ++i;
            ++j;
        } else if (lcs[size_t(i + 1)][size_t(j)] >= lcs[size_t(i)][size_t(j + 1)]) {
            ++i;
        } else {
            ++j;
        }
    }
    return partner;
}

class TableDiff {
public:
    TableDiff(const DataSet& a, const DataSet& b, const DiffCaptions& captions,
              std::vector<ApplicationDifference>& out)
        : a_(a), b_(b), out_(out) {
        list_ = captions.list ? captions.list(a.name()) : std::nullopt;
        if (!list_ && (a.recordCount() > 1 || b.recordCount() > 1))
            list_ = DiffPlace{a.name(), a.name(), {}};
        columns_ = columnsOf(a, captions, list_);
        for (Column& c : columns_) {
            c.dataA = c.data;
            c.dataB = b.findField(c.data->name());
            c.shownA = a.findField(c.shown);
            c.shownB = b.findField(c.shown);
        }
        rowName_ = captions.rowName ? captions.rowName(a.name()) : QString();
    }

    void run() {
        if (!list_) {
            compareRows(1, 1, false);
            return;
        }
        std::vector<const Column*> content;
        for (const Column& c : columns_)
            if (!numbersRows(a_, b_, *c.data)) content.push_back(&c);
        content_ = content;
        const QStringList sa = signatures(a_), sb = signatures(b_);
        const std::vector<int> partner = equalPartners(sa, sb);
        // Walk both tables: between two equal pairs, rows pair by order, the rest of the
        // longer side is inserted or deleted.
        int i = 0, j = 0;
        const int n = int(sa.size()), m = int(sb.size());
        while (i < n || j < m) {
            int nextI = i;
            while (nextI < n && partner[size_t(nextI)] < 0)
                ++nextI;
            const int nextJ = nextI < n ? partner[size_t(nextI)] : m;
            while (i < nextI && j < nextJ)
                compareRows(++i, ++j, true);
            while (i < nextI)
                wholeRow(ApplicationDifference::Deleted, ++i);
            while (j < nextJ)
                wholeRow(ApplicationDifference::Inserted, ++j);
            if (i < n) { // the equal pair
                ++i;
                ++j;
            }
        }
    }

private:
    QStringList signatures(const DataSet& t) const {
        const bool first = &t == &a_;
        QStringList out;
        for (int r = 1; r <= t.recordCount(); ++r) {
            QString s;
            for (const Column* c : content_)
                s += text(t, r, first ? c->dataA : c->dataB) + QChar(0x1f);
            out << s;
        }
        return out;
    }

    QString nameOf(const DataSet& t, int row) const {
        return rowName_.isEmpty() ? QString() : text(t, row, rowName_);
    }

    void compareRows(int rowA, int rowB, bool list) {
        for (const Column& c : columns_) {
            if (list && std::find(content_.begin(), content_.end(), &c) == content_.end()) continue;
            const QString va = text(a_, rowA, c.dataA), vb = text(b_, rowB, c.dataB);
            if (va == vb) continue;
            ApplicationDifference d;
            d.table = a_.name();
            d.field = c.data->name();
            d.place = c.place;
            d.listTable = list;
            d.oldRow = list ? rowA : 0;
            d.newRow = list ? rowB : 0;
            d.rowName = list ? nameOf(b_, rowB) : QString();
            d.oldValue = c.shownA == c.dataA ? va : text(a_, rowA, c.shownA);
            d.newValue = c.shownB == c.dataB ? vb : text(b_, rowB, c.shownB);
            out_.push_back(d);
        }
    }

    void wholeRow(ApplicationDifference::Kind kind, int row) {
        const bool old = kind == ApplicationDifference::Deleted;
        const DataSet& t = old ? a_ : b_;
        QStringList values;
        for (const Column* c : content_) {
            const QString v = text(t, row, old ? c->shownA : c->shownB);
            if (!v.isEmpty()) values << c->place.caption + QStringLiteral(": ") + v;
        }
        ApplicationDifference d;
        d.kind = kind;
        d.table = a_.name();
        d.place = *list_;
        d.listTable = true;
        (kind == ApplicationDifference::Deleted ? d.oldRow : d.newRow) = row;
        d.rowName = nameOf(t, row);
        (kind == ApplicationDifference::Deleted ? d.oldValue : d.newValue) =
            values.join(QStringLiteral("; "));
        out_.push_back(d);
    }

    const DataSet& a_;
    const DataSet& b_;
    std::vector<ApplicationDifference>& out_;
    std::optional<DiffPlace> list_;
    std::vector<Column> columns_;
    std::vector<const Column*> content_;
    QString rowName_;
};

} // namespace

std::vector<ApplicationDifference> compareApplications(const TdmDataSets_t& before,
                                                       const TdmDataSets_t& after,
                                                       const DiffCaptions& captions) {
    std::vector<ApplicationDifference> out;
    for (const QString& name : fileTables(before)) {
        const DataSet* a = before.findTable(name);
        const DataSet* b = after.findTable(name);
        if (!a || !b) continue;
        TableDiff(*a, *b, captions, out).run();
    }
    return out;
}
