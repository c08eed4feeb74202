#include "platform/dataset/dataset.h"

#include "platform/dataset/datasource.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <atomic>
#include <optional>

namespace {

// Equality of a stored value with a probe already coerced to the field's type.
bool sameValue(FieldType t, const QVariant& stored, const QVariant& probe) {
    if (!probe.isValid()) return !stored.isValid();
    if (!stored.isValid()) return false;
    switch (t) {
    case FieldType::String:
        return stored.toString() == probe.toString();
    case FieldType::Integer:
    case FieldType::Int64:
        return stored.toLongLong() == probe.toLongLong();
    case FieldType::Float:
        return stored.toDouble() == probe.toDouble();
    case FieldType::Date:
        return stored.toDate() == probe.toDate();
    case FieldType::Boolean:
        return stored.toBool() == probe.toBool();
    }
    return false;
}

// Coerces a search value to the field's type; nullopt when it cannot be one.
std::optional<QVariant> probeFor(const Field& f, const QVariant& v) {
    try {
        return FieldText::coerce(f.type(), 0, v);
    } catch (const DataSetError&) {
        return std::nullopt;
    }
}

} // namespace

DataSet::DataSet(QString name) : name_(std::move(name)) {}

DataSet::~DataSet() {
    const auto obs = observers_;
    for (DataSetObserver* o : obs)
        o->dataSetDestroyed(*this);
}

// ---------------------------------------------------------------- fields

Field& DataSet::addField(const FieldDef& def) {
    const QString key = def.name.toLower();
    if (byName_.contains(key))
        throw DataSetError(
            QStringLiteral("Pole %1 już istnieje w tabeli %2").arg(def.name, name_).toStdString());
    if (!rows_.empty())
        throw DataSetError(QStringLiteral("Nie można dodać pola %1 do wypełnionej tabeli %2")
                               .arg(def.name, name_)
                               .toStdString());
    FieldDef d = def;
    if (d.type != FieldType::String) d.size = 0;
    fields_.push_back(std::make_unique<Field>(this, d, int(fields_.size())));
    byName_.insert(key, fields_.back().get());
    byDeclaredName_.insert(def.name, fields_.back().get());
    filterExpr_ = FilterExpression::parse(filterText_, *this);
    return *fields_.back();
}

Field* DataSet::findField(const QString& name) const {
    // Most callers spell the name as declared: that lookup needs no lower-case copy.
    if (Field* f = byDeclaredName_.value(name, nullptr)) return f;
    return byName_.value(name.toLower(), nullptr);
}

Field& DataSet::field(const QString& name) const {
    Field* f = findField(name);
    if (!f)
        throw DataSetError(
            QStringLiteral("Tabela %1 nie ma pola %2").arg(name_, name).toStdString());
    return *f;
}

// ---------------------------------------------------------------- notifications

template <typename Fn> void DataSet::notify(Fn fn) {
    if (disableCount_ > 0 || observers_.empty()) return;
    const auto obs = observers_; // an observer may detach itself while notified
    for (DataSetObserver* o : obs)
        fn(*o);
}

void DataSet::addObserver(DataSetObserver* o) {
    if (std::find(observers_.begin(), observers_.end(), o) == observers_.end())
        observers_.push_back(o);
}

void DataSet::removeObserver(DataSetObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void DataSet::enableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ == 0) notify([this](DataSetObserver& o) { o.dataSetReset(*this); });
}

void DataSet::touch() {
    static std::atomic<quint64> rowsVersions{0};
    ++version_;
    rowsVersion_ = ++rowsVersions;
}

// ---------------------------------------------------------------- open / close

void DataSet::requireActive(const char* op) const {
    if (state_ == DataSetState::Inactive)
        throw DataSetError(QStringLiteral("Tabela %1 jest zamknięta (%2)")
                               .arg(name_, QLatin1String(op))
                               .toStdString());
}

void DataSet::open() {
    if (isActive()) return;
    state_ = DataSetState::Browse;
    rows_.clear();
    view_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    touch();
    notify([this](DataSetObserver& o) { o.dataSetOpened(*this); });
    if (events.afterOpen) events.afterOpen(*this);
}

void DataSet::close() {
    if (!isActive()) return;
    state_ = DataSetState::Inactive;
    buffer_.clear();
    rows_.clear();
    view_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    touch();
    notify([this](DataSetObserver& o) { o.dataSetClosed(*this); });
}

// ---------------------------------------------------------------- view and navigation

bool DataSet::rowVisible(const Row& r) const {
    return !filtered_ || filterExpr_.matches(r);
}

void DataSet::rebuildView() {
    view_.clear();
    if (!filtered_ || filterExpr_.isEmpty()) return;
    view_.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        if (filterExpr_.matches(rows_[i])) view_.push_back(int(i));
}

int DataSet::physicalIndex(int viewIndex) const {
    if (viewIndex < 0) return -1;
    if (filtered_ && !filterExpr_.isEmpty())
        return viewIndex < int(view_.size()) ? view_[size_t(viewIndex)] : -1;
    return viewIndex < int(rows_.size()) ? viewIndex : -1;
}

int DataSet::recordCount() const {
    if (!isActive()) return 0;
    if (filtered_ && !filterExpr_.isEmpty()) return int(view_.size());
    return int(rows_.size());
}

int DataSet::recNo() const {
    if (!isActive()) return -1;
    if (state_ == DataSetState::Insert) return current_ >= 0 ? current_ + 1 : 1;
    return current_ >= 0 ? current_ + 1 : -1;
}

void DataSet::moveTo(int viewIndex) {
    requireActive("przejście");
    if (isEditing() && !post()) return;
    const int n = recordCount();
    const int before = current_;
    if (n == 0) {
        current_ = -1;
        eof_ = bof_ = true;
    } else {
        current_ = std::clamp(viewIndex, 0, n - 1);
        bof_ = viewIndex <= 0;
        eof_ = viewIndex >= n;
    }
    if (current_ != before) notify([this](DataSetObserver& o) { o.currentMoved(*this); });
}

void DataSet::setRecNo(int n) {
    if (n >= 1 && n <= recordCount()) moveTo(n - 1);
}

void DataSet::first() {
    moveTo(0);
    eof_ = recordCount() == 0;
}

void DataSet::last() {
    moveTo(recordCount() - 1);
    bof_ = recordCount() == 0;
    eof_ = recordCount() == 0;
}

void DataSet::next() {
    requireActive("przejście");
    if (isEditing() && !post()) return;
    if (current_ + 1 >= recordCount()) {
        eof_ = true;
        return;
    }
    moveTo(current_ + 1);
    eof_ = false;
}

void DataSet::prior() {
    requireActive("przejście");
    if (isEditing() && !post()) return;
    if (current_ <= 0) {
        bof_ = true;
        return;
    }
    moveTo(current_ - 1);
    bof_ = false;
}

const DataSet::Row* DataSet::currentRow() const {
    if (calcTarget_) return calcTarget_;
    if (isEditing()) return &buffer_;
    const int p = physicalIndex(current_);
    return p >= 0 ? &rows_[size_t(p)] : nullptr;
}

// ---------------------------------------------------------------- values

QVariant DataSet::currentValue(const Field& f) const {
    if (f.kind() == FieldKind::Calculated && calcTarget_) return calcScratch_[size_t(f.index())];
    const Row* row = currentRow();
    if (!row) return {};
    switch (f.kind()) {
    case FieldKind::Data:
        return (*row)[size_t(f.index())];
    case FieldKind::Lookup:
        return lookupValue(f, *row);
    case FieldKind::Calculated:
        break;
    }
    return calculatedValue(*row, f);
}

// Runs the calculation hook over a copy of the row and reads the field's slot. Values
// written into calculated fields outside the hook (percentages that a rule stores) are
// kept unless the hook replaces them. A hook reading another row gets stored values.
QVariant DataSet::calculatedValue(const Row& row, const Field& f) const {
    if (!events.onCalcFields || calcTarget_) return row[size_t(f.index())];
    calcScratch_ = row;
    calcTarget_ = &row;
    try {
        events.onCalcFields(const_cast<DataSet&>(*this));
    } catch (...) {
        calcTarget_ = nullptr;
        throw;
    }
    calcTarget_ = nullptr;
    return calcScratch_[size_t(f.index())];
}

QVariant DataSet::valueAt(int recNo, const Field& f) const {
    const int p = physicalIndex(recNo - 1);
    if (p < 0 || !isActive()) return {};
    const Row& row = rows_[size_t(p)];
    if (f.kind() == FieldKind::Data) return row[size_t(f.index())];
    if (f.kind() == FieldKind::Lookup) return lookupValue(f, row);
    return calculatedValue(row, f);
}

QVariant DataSet::lookupValue(const Field& f, const Row& row) const {
    const FieldDef& d = f.definition();
    const Field* key = findField(d.keyField);
    if (!key || !resolver_) return {};
    const QVariant keyValue =
        key->kind() == FieldKind::Data ? row[size_t(key->index())] : QVariant();
    if (!keyValue.isValid()) return {};
    const DataSet* dict = resolver_(d.lookupDataSet);
    if (!dict) return {};
    return dict->lookup(d.lookupKeyField, keyValue, d.lookupResultField);
}

void DataSet::assign(Field& f, const QVariant& coerced) {
    if (f.kind() == FieldKind::Calculated && calcTarget_) {
        calcScratch_[size_t(f.index())] = coerced;
        return;
    }
    if (!isEditing())
        throw DataSetError(QStringLiteral("Tabela %1 nie jest w trybie edycji (pole %2)")
                               .arg(name_, f.name())
                               .toStdString());
    if (f.isReadOnly())
        throw DataSetError(QStringLiteral("Pole %1 tabeli %2 jest tylko do odczytu")
                               .arg(f.name(), name_)
                               .toStdString());
    // Lookup values are not stored; an assignment only runs the change hook.
    if (f.kind() != FieldKind::Lookup) buffer_[size_t(f.index())] = coerced;
    notify([this, &f](DataSetObserver& o) { o.fieldChanged(*this, f); });
    if (f.onChange) f.onChange(f);
}

// ---------------------------------------------------------------- editing

DataSet::Row DataSet::newRowWithDefaults() const {
    Row r(fields_.size());
    for (const auto& f : fields_) {
        if (f->kind() == FieldKind::Data && f->defaultValue().isValid())
            r[size_t(f->index())] = FieldText::coerce(f->type(), f->size(), f->defaultValue());
    }
    return r;
}

bool DataSet::startInsert(int physicalPos) {
    if (events.beforeInsert && !events.beforeInsert(*this)) return false;
    buffer_ = newRowWithDefaults();
    insertPos_ = physicalPos;
    state_ = DataSetState::Insert;
    notify([this](DataSetObserver& o) { o.stateChanged(*this); });
    if (events.onNewRecord) events.onNewRecord(*this);
    if (events.afterInsert) events.afterInsert(*this);
    return true;
}

bool DataSet::append() {
    requireActive("dopisanie");
    if (isEditing() && !post()) return false;
    return startInsert(int(rows_.size()));
}

bool DataSet::insert() {
    requireActive("wstawienie");
    if (isEditing() && !post()) return false;
    const int p = physicalIndex(current_);
    return startInsert(p >= 0 ? p : int(rows_.size()));
}

void DataSet::edit() {
    requireActive("edycja");
    if (isEditing()) return;
    if (recordCount() == 0) {
        append();
        return;
    }
    buffer_ = rows_[size_t(physicalIndex(current_))];
    state_ = DataSetState::Edit;
    notify([this](DataSetObserver& o) { o.stateChanged(*this); });
}

bool DataSet::post() {
    requireActive("zapis");
    if (!isEditing()) return true;
    notify([this](DataSetObserver& o) { o.updateData(*this); });
    if (events.beforePost && !events.beforePost(*this)) return false;
    if (!isEditing()) return true; // the hook posted or cancelled the row itself
    for (const auto& f : fields_) {
        if (!f->required() || f->kind() != FieldKind::Data) continue;
        const QVariant& v = buffer_[size_t(f->index())];
        if (!v.isValid() || (f->type() == FieldType::String && v.toString().isEmpty()))
            throw DataSetError(
                QStringLiteral("Pole '%1' musi mieć wartość").arg(f->name()).toStdString());
    }
    const bool inserting = state_ == DataSetState::Insert;
    int physical;
    if (inserting) {
        physical = std::clamp(insertPos_, 0, int(rows_.size()));
        rows_.insert(rows_.begin() + physical, std::move(buffer_));
    } else {
        physical = physicalIndex(current_);
        // The old row's storage stays in the buffer for the next edit to copy into.
        rows_[size_t(physical)].swap(buffer_);
    }
    buffer_.clear();
    state_ = DataSetState::Browse;
    touch();
    const bool appended = inserting && physical == int(rows_.size()) - 1;
    if (filtered_ && !filterExpr_.isEmpty()) {
        rebuildView();
        auto it = std::lower_bound(view_.begin(), view_.end(), physical);
        current_ = view_.empty()
                       ? -1
                       : int(std::min<size_t>(size_t(it - view_.begin()), view_.size() - 1));
    } else {
        current_ = physical;
    }
    eof_ = bof_ = false;
    const int rn = current_ + 1;
    notify([&](DataSetObserver& o) {
        if (appended)
            o.recordAppended(*this, rn);
        else if (inserting)
            o.recordInserted(*this, rn);
        else
            o.recordChanged(*this, rn);
        o.stateChanged(*this);
    });
    if (events.afterPost) events.afterPost(*this);
    return true;
}

void DataSet::cancel() {
    if (!isEditing()) return;
    buffer_.clear();
    state_ = DataSetState::Browse;
    if (current_ >= recordCount()) current_ = recordCount() - 1;
    notify([this](DataSetObserver& o) { o.stateChanged(*this); });
}

bool DataSet::deleteRecord() {
    requireActive("usunięcie");
    if (state_ == DataSetState::Insert) {
        cancel();
        return true;
    }
    cancel();
    if (recordCount() == 0)
        throw DataSetError(QStringLiteral("Tabela %1 jest pusta").arg(name_).toStdString());
    if (events.beforeDelete && !events.beforeDelete(*this)) return false;
    if (recordCount() == 0 || current_ < 0) return true;
    const int rn = current_ + 1;
    rows_.erase(rows_.begin() + physicalIndex(current_));
    touch();
    rebuildView();
    const int n = recordCount();
    if (current_ >= n) current_ = n - 1;
    eof_ = bof_ = n == 0;
    notify([&](DataSetObserver& o) { o.recordDeleted(*this, rn); });
    if (events.afterDelete) events.afterDelete(*this);
    return true;
}

void DataSet::emptyTable() {
    if (!isActive()) return;
    cancel();
    rows_.clear();
    view_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    touch();
    notify([this](DataSetObserver& o) { o.dataSetReset(*this); });
}

void DataSet::copyRowsFrom(const DataSet& source) {
    requireActive("kopiowanie");
    bool same = source.fields_.size() == fields_.size();
    for (size_t i = 0; same && i < fields_.size(); ++i)
        same = source.fields_[i]->type() == fields_[i]->type() &&
               source.fields_[i]->name().compare(fields_[i]->name(), Qt::CaseInsensitive) == 0;
    if (!same)
        throw DataSetError(QStringLiteral("Tabele %1 i %2 mają różne pola")
                               .arg(name_, source.name_)
                               .toStdString());
    cancel();
    rows_ = source.rows_;
    rebuildView();
    touch();
    current_ = recordCount() > 0 ? 0 : -1;
    eof_ = bof_ = recordCount() == 0;
    notify([this](DataSetObserver& o) { o.dataSetReset(*this); });
}

DataSetSnapshot DataSet::snapshot() const {
    if (isEditing())
        throw DataSetError(
            QStringLiteral("Tabela %1 jest w trakcie edycji (stan)").arg(name_).toStdString());
    DataSetSnapshot s{rows_,       view_,     current_, eof_, bof_,        state_,
                      filterText_, filtered_, {},       {},   rowsVersion_};
    s.readOnly.reserve(fields_.size());
    s.displayFormats.reserve(fields_.size());
    for (const auto& f : fields_) {
        s.readOnly.push_back(f->isReadOnly());
        s.displayFormats.push_back(f->displayFormat());
    }
    return s;
}

void DataSet::restore(const DataSetSnapshot& s) {
    buffer_.clear();
    insertPos_ = -1;
    if (rowsVersion_ != s.rowsVersion) rows_ = s.rows;
    touchView();
    rowsVersion_ = s.rowsVersion;
    if (filterText_ != s.filterText) {
        filterExpr_ = FilterExpression::parse(s.filterText, *this);
        filterText_ = s.filterText;
    }
    filtered_ = s.filtered;
    view_ = s.view;
    current_ = s.current;
    eof_ = s.eof;
    bof_ = s.bof;
    state_ = s.state;
    for (size_t i = 0; i < fields_.size() && i < s.readOnly.size(); ++i) {
        fields_[i]->setReadOnly(s.readOnly[i]);
        if (fields_[i]->displayFormat() != s.displayFormats[i])
            fields_[i]->setDisplayFormat(s.displayFormats[i]);
    }
    notify([this](DataSetObserver& o) { o.dataSetReset(*this); });
}

// ---------------------------------------------------------------- search

bool DataSet::locate(const QString& fieldName, const QVariant& value) {
    const Field& f = field(fieldName);
    if (!isActive()) return false;
    const auto probe = probeFor(f, value);
    if (!probe) return false;
    if (isEditing() && !post()) return false;
    const int n = recordCount();
    for (int i = 0; i < n; ++i) {
        const QVariant v = f.kind() == FieldKind::Data
                               ? rows_[size_t(physicalIndex(i))][size_t(f.index())]
                               : valueAt(i + 1, f);
        if (sameValue(f.type(), v, *probe)) {
            moveTo(i);
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

QVariant DataSet::lookup(const QString& keyField, const QVariant& keyValue,
                         const QString& resultField) const {
    const Field& k = field(keyField);
    const Field& r = field(resultField);
    if (!isActive()) return {};
    const auto probe = probeFor(k, keyValue);
    if (!probe || !probe->isValid()) return {};
    const int n = recordCount();
    for (int i = 0; i < n; ++i) {
        const Row& row = rows_[size_t(physicalIndex(i))];
        if (sameValue(k.type(), row[size_t(k.index())], *probe))
            return r.kind() == FieldKind::Data ? row[size_t(r.index())] : valueAt(i + 1, r);
    }
    return {};
}

// ---------------------------------------------------------------- filter and sort

void DataSet::setFilter(const QString& text) {
    if (isEditing()) post();
    filterExpr_ = FilterExpression::parse(text, *this);
    filterText_ = text;
    if (filtered_) {
        rebuildView();
        touchView();
        current_ = recordCount() > 0 ? 0 : -1;
        eof_ = bof_ = recordCount() == 0;
        notify([this](DataSetObserver& o) { o.dataSetReset(*this); });
    }
}

void DataSet::setFiltered(bool on) {
    if (filtered_ == on) return;
    if (isEditing()) post();
    filtered_ = on;
    rebuildView();
    touchView();
    current_ = recordCount() > 0 ? 0 : -1;
    eof_ = bof_ = recordCount() == 0;
    notify([this](DataSetObserver& o) { o.dataSetReset(*this); });
}

void DataSet::sortOn(const QString& fieldName) {
    const Field& f = field(fieldName);
    if (isEditing()) post();
    const size_t i = size_t(f.index());
    if (f.type() == FieldType::String) {
        // Texts sort in Polish order; one collation key per row keeps the comparisons cheap.
        QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
        std::vector<std::pair<std::optional<QCollatorSortKey>, Row>> keyed;
        keyed.reserve(rows_.size());
        for (Row& r : rows_) {
            std::optional<QCollatorSortKey> key;
            if (r[i].isValid()) key = collator.sortKey(r[i].toString());
            keyed.emplace_back(std::move(key), std::move(r));
        }
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            if (!a.first || !b.first) return !a.first && b.first.has_value();
            return a.first->compare(*b.first) < 0;
        });
        for (size_t k = 0; k < keyed.size(); ++k)
            rows_[k] = std::move(keyed[k].second);
    }
    auto less = [&](const Row& a, const Row& b) {
        const QVariant &x = a[i], &y = b[i];
        if (!x.isValid() || !y.isValid()) return !x.isValid() && y.isValid();
        switch (f.type()) {
        case FieldType::String:
            return false; // already ordered above
        case FieldType::Integer:
        case FieldType::Int64:
            return x.toLongLong() < y.toLongLong();
        case FieldType::Float:
            return x.toDouble() < y.toDouble();
        case FieldType::Date:
            return x.toDate() < y.toDate();
        case FieldType::Boolean:
            return !x.toBool() && y.toBool();
        }
        return false;
    };
    if (f.type() != FieldType::String) std::stable_sort(rows_.begin(), rows_.end(), less);
    rebuildView();
    touch();
    current_ = recordCount() > 0 ? 0 : -1;
    eof_ = bof_ = recordCount() == 0;
    notify([this](DataSetObserver& o) { o.dataSetReset(*this); });
}
