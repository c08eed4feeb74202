#include "editor/grid/year_grid_model.h"

#include "model/finance_tree_rows.h"
#include "platform/dataset/dataset.h"
#include "platform/utils/amount.h"
#include "validation/input_checks.h"

#include <QFont>

#include <algorithm>
#include <map>
#include <tuple>

namespace editor {

namespace {

const QString kGrandTotal = FinanceTreeRows::name(FinanceTreeRows::kGrandTotalId);
const QString kOwnSources = FinanceTreeRows::name(FinanceTreeRows::kOwnSourcesId);
const QString kFooterText = QStringLiteral("RAZEM");

bool isAmountKind(GridColumnKind k) {
    return k == GridColumnKind::Amount || k == GridColumnKind::Percent ||
           k == GridColumnKind::Total;
}

bool takesInput(GridColumnKind k) {
    return k == GridColumnKind::Text || k == GridColumnKind::PickText ||
           k == GridColumnKind::Amount;
}

} // namespace

YearGridModel::YearGridModel(YearGridDescription description, DataSet& table, QObject* parent)
    : QAbstractItemModel(parent), description_(std::move(description)), table_(&table) {
    for (const GridColumn& c : description_.columns) {
        fields_.push_back(table.findField(c.field));
        formats_.emplace_back(c.format.isEmpty() ? Utils::kCurrencyPattern : c.format);
    }
    table_->addObserver(this);
    std::vector<int> roots;
    nodes_ = buildNodes(roots);
    roots_ = std::move(roots);
}

YearGridModel::~YearGridModel() {
    if (table_) table_->removeObserver(this);
}

QColor YearGridModel::readOnlyColour() {
    return QColor(0xD4, 0xD0, 0xC8); // the inactive-border grey of read-only cells
}

int YearGridModel::columnOfField(const QString& field) const {
    for (size_t i = 0; i < description_.columns.size(); ++i)
        if (description_.columns[i].field.compare(field, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

// ---------------------------------------------------------------- rows

void YearGridModel::rebuild() {
    std::vector<int> roots;
    std::vector<Node> nodes = buildNodes(roots);
    sumsVersion_ = ~quint64(0);
    if (nodes == nodes_ && roots == roots_) {
        // One post runs several rules that each report the whole table; the views hear
        // of the new values once, on the next turn of the event loop.
        if (!announcePending_) {
            announcePending_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    announcePending_ = false;
                    announceValues({});
                },
                Qt::QueuedConnection);
        }
        return;
    }
    beginResetModel();
    nodes_ = std::move(nodes);
    roots_ = std::move(roots);
    endResetModel();
}

void YearGridModel::announceValues(const QModelIndex& parent) {
    const int rows = rowCount(parent);
    if (rows == 0) return;
    emit dataChanged(index(0, 0, parent), index(rows - 1, columnCount() - 1, parent));
    for (int r = 0; r < rows; ++r) {
        const QModelIndex child = index(r, 0, parent);
        if (!nodeOf(child)->children.empty()) announceValues(child);
    }
}

std::vector<YearGridModel::Node> YearGridModel::buildNodes(std::vector<int>& roots) const {
    std::vector<Node> nodes;
    if (!table_ || !table_->isActive()) return nodes;
    switch (description_.shape) {
    case GridShape::Flat:
        buildFlat(nodes, roots);
        break;
    case GridShape::Grouped:
        buildGrouped(nodes, roots);
        break;
    case GridShape::Tree:
        buildTree(nodes, roots);
        break;
    }
    return nodes;
}

namespace {

// Appends a node under `parent` (-1: top level) and returns its index.
template <typename NodeT>
int addNode(std::vector<NodeT>& nodes, std::vector<int>& roots, NodeT node, int parent) {
    const int at = int(nodes.size());
    std::vector<int>& siblings = parent < 0 ? roots : nodes[size_t(parent)].children;
    node.parent = parent;
    node.row = int(siblings.size());
    siblings.push_back(at);
    nodes.push_back(std::move(node));
    return at;
}

} // namespace

void YearGridModel::buildFlat(std::vector<Node>& nodes, std::vector<int>& roots) const {
    const int count = table_->recordCount();
    nodes.reserve(size_t(count) + 1);
    for (int rec = 1; rec <= count; ++rec) {
        Node n;
        n.recNo = rec;
        addNode(nodes, roots, n, -1);
    }
    if (description_.footer) {
        Node f;
        f.kind = RowKind::Footer;
        addNode(nodes, roots, f, -1);
    }
}

void YearGridModel::buildGrouped(std::vector<Node>& nodes, std::vector<int>& roots) const {
    // Records ordered by the group keys (ascending, empty first), table order within.
    struct Keyed {
        QVariant outer, inner;
        int recNo;
    };
    const GridGroupLevel& outerLevel = description_.groups.at(0);
    const GridGroupLevel& innerLevel = description_.groups.at(1);
    const Field* outer = table_->findField(outerLevel.field);
    const Field* inner = table_->findField(innerLevel.field);
    std::vector<Keyed> rows;
    for (int rec = 1; rec <= table_->recordCount(); ++rec)
        rows.push_back({outer ? table_->valueAt(rec, *outer) : QVariant(),
                        inner ? table_->valueAt(rec, *inner) : QVariant(), rec});
    auto less = [](const QVariant& a, const QVariant& b) {
        if (!a.isValid() || !b.isValid()) return !a.isValid() && b.isValid();
        return QVariant::compare(a, b) == QPartialOrdering::Less;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const Keyed& a, const Keyed& b) {
        if (less(a.outer, b.outer)) return true;
        if (less(b.outer, a.outer)) return false;
        return less(a.inner, b.inner);
    });

    auto footer = [&](int scope, int parent) {
        Node f;
        f.kind = RowKind::Footer;
        f.scope = scope;
        addNode(nodes, roots, f, parent);
    };
    int outerNode = -1, innerNode = -1;
    QVariant outerKey, innerKey;
    for (const Keyed& k : rows) {
        if (outerNode < 0 || k.outer != outerKey) {
            if (innerNode >= 0) footer(innerNode, innerNode);
            if (outerNode >= 0) footer(outerNode, outerNode);
            Node g;
            g.kind = RowKind::Group;
            g.title = outerLevel.caption + QStringLiteral(": ") + k.outer.toString();
            outerNode = addNode(nodes, roots, g, -1);
            outerKey = k.outer;
            innerNode = -1;
        }
        if (innerNode < 0 || k.inner != innerKey) {
            if (innerNode >= 0) footer(innerNode, innerNode);
            Node g;
            g.kind = RowKind::Group;
            g.title = innerLevel.caption + QStringLiteral(": ") + k.inner.toString();
            innerNode = addNode(nodes, roots, g, outerNode);
            innerKey = k.inner;
        }
        Node r;
        r.recNo = k.recNo;
        addNode(nodes, roots, r, innerNode);
    }
    if (innerNode >= 0) footer(innerNode, innerNode);
    if (outerNode >= 0) footer(outerNode, outerNode);
    if (description_.footer) footer(-1, -1);
}

void YearGridModel::buildTree(std::vector<Node>& nodes, std::vector<int>& roots) const {
    const Field* key = table_->findField(description_.keyField);
    const Field* parentKey = table_->findField(description_.parentField);
    const int count = table_->recordCount();
    std::map<qint64, int> recOfKey;
    std::vector<QVariant> parentOf(size_t(count) + 1);
    for (int rec = 1; rec <= count; ++rec) {
        const QVariant k = key ? table_->valueAt(rec, *key) : QVariant();
        if (k.isValid()) recOfKey.emplace(k.toLongLong(), rec);
        parentOf[size_t(rec)] = parentKey ? table_->valueAt(rec, *parentKey) : QVariant();
    }
    auto parentRec = [&](int rec) {
        const QVariant p = parentOf[size_t(rec)];
        if (!p.isValid()) return 0;
        const auto it = recOfKey.find(p.toLongLong());
        return it == recOfKey.end() ? 0 : it->second;
    };
    // A row whose parent chain comes back to itself is shown at the top level.
    auto inCycle = [&](int rec) {
        int p = parentRec(rec);
        for (int steps = 0; p != 0 && steps <= count; ++steps) {
            if (p == rec) return true;
            p = parentRec(p);
        }
        return p != 0;
    };
    // Node i - 1 is record i; children follow the table order.
    nodes.resize(size_t(count));
    for (int rec = 1; rec <= count; ++rec)
        nodes[size_t(rec - 1)].recNo = rec;
    for (int rec = 1; rec <= count; ++rec) {
        const int p = parentRec(rec);
        Node& n = nodes[size_t(rec - 1)];
        std::vector<int>& siblings =
            (p == 0 || inCycle(rec)) ? roots : nodes[size_t(p - 1)].children;
        n.parent = &siblings == &roots ? -1 : p - 1;
        n.row = int(siblings.size());
        siblings.push_back(rec - 1);
    }
}

const YearGridModel::Node* YearGridModel::nodeOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) return nullptr;
    const size_t i = size_t(index.internalId());
    return i < nodes_.size() ? &nodes_[i] : nullptr;
}

QModelIndex YearGridModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= columnCount() || row < 0) return {};
    const std::vector<int>* siblings = &roots_;
    if (parent.isValid()) {
        const Node* p = nodeOf(parent);
        if (!p || parent.column() != 0) return {};
        siblings = &p->children;
    }
    if (row >= int(siblings->size())) return {};
    return createIndex(row, column, quintptr((*siblings)[size_t(row)]));
}

QModelIndex YearGridModel::parent(const QModelIndex& child) const {
    const Node* n = nodeOf(child);
    if (!n || n->parent < 0) return {};
    return createIndex(nodes_[size_t(n->parent)].row, 0, quintptr(n->parent));
}

int YearGridModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return int(roots_.size());
    if (parent.column() != 0) return 0;
    const Node* n = nodeOf(parent);
    return n ? int(n->children.size()) : 0;
}

int YearGridModel::columnCount(const QModelIndex&) const {
    return int(description_.columns.size());
}

QModelIndex YearGridModel::indexOfRecord(int recNo, int column) const {
    for (size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].kind == RowKind::Record && nodes_[i].recNo == recNo)
            return createIndex(nodes_[i].row, column, quintptr(i));
    return {};
}

int YearGridModel::recNoOf(const QModelIndex& index) const {
    const Node* n = nodeOf(index);
    return n && n->kind == RowKind::Record ? n->recNo : 0;
}

YearGridModel::RowKind YearGridModel::rowKindOf(const QModelIndex& index) const {
    const Node* n = nodeOf(index);
    return n ? n->kind : RowKind::Group;
}

// ---------------------------------------------------------------- values

Field* YearGridModel::fieldOf(int section) const {
    return section >= 0 && section < int(fields_.size()) ? fields_[size_t(section)] : nullptr;
}

QString YearGridModel::nameOfRecord(int recNo) const {
    const Field* name = table_ ? table_->findField(description_.nameField) : nullptr;
    return name ? table_->valueAt(recNo, *name).toString() : QString();
}

bool YearGridModel::treeRowEditable(const Node& n, const GridColumn& c) const {
    if (!n.children.empty()) return false; // parents show the sums of their children
    const QString name = nameOfRecord(n.recNo);
    if (name == kGrandTotal || name == kOwnSources) return false;
    if (c.field.compare(description_.nameField, Qt::CaseInsensitive) == 0)
        return n.parent >= 0 && nameOfRecord(nodes_[size_t(n.parent)].recNo) == kOwnSources;
    return true;
}

bool YearGridModel::cellAcceptsInput(const Node& n, int section) const {
    if (n.kind != RowKind::Record) return false;
    const GridColumn& c = column(section);
    const Field* f = fieldOf(section);
    if (!takesInput(c.kind) || !f || f->isReadOnly() || f->kind() != FieldKind::Data) return false;
    return description_.shape != GridShape::Tree || treeRowEditable(n, c);
}

bool YearGridModel::isEditableCell(const QModelIndex& index) const {
    const Node* n = nodeOf(index);
    return !readOnly_ && n && cellAcceptsInput(*n, index.column());
}

void YearGridModel::setReadOnly(bool readOnly) {
    if (readOnly_ == readOnly) return;
    readOnly_ = readOnly;
    announceValues({});
}

QVariant YearGridModel::recordData(const Node& n, int section, int role) const {
    const GridColumn& c = column(section);
    const Field* f = fieldOf(section);
    if (!f) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        // The row being edited shows its edit buffer.
        const bool buffered = table_->state() == DataSetState::Edit && table_->recNo() == n.recNo;
        const QVariant v = buffered ? table_->currentValue(*f) : table_->valueAt(n.recNo, *f);
        if (!isAmountKind(c.kind)) return v.toString();
        if (!v.isValid()) return QString();
        return role == Qt::DisplayRole ? formats_[size_t(section)].format(v.toDouble())
                                       : FieldText::formatFloat(v.toDouble());
    }
    case Qt::ToolTipRole: {
        // A text that a narrow column cuts can still be read whole.
        if (isAmountKind(c.kind)) return {};
        const QString text = recordData(n, section, Qt::DisplayRole).toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case Qt::TextAlignmentRole:
        return isAmountKind(c.kind) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                    : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        // The colour follows the grid's rules, not the read-only mode of the window.
        return cellAcceptsInput(n, section) ? QVariant() : QVariant(readOnlyColour());
    default:
        return {};
    }
}

void YearGridModel::collectRecords(int node, std::vector<int>& out) const {
    for (int child : nodes_[size_t(node)].children) {
        const Node& c = nodes_[size_t(child)];
        if (c.kind == RowKind::Record) out.push_back(c.recNo);
        collectRecords(child, out);
    }
}

double YearGridModel::footerSum(int node, int section) const {
    if (sumsVersion_ != table_->version()) {
        sums_.assign(nodes_.size(), {});
        sumsVersion_ = table_->version();
    }
    std::vector<double>& cached = sums_[size_t(node)];
    if (cached.empty()) {
        const int scope = nodes_[size_t(node)].scope;
        std::vector<int> records;
        if (scope < 0)
            for (int rec = 1; rec <= table_->recordCount(); ++rec)
                records.push_back(rec);
        else
            collectRecords(scope, records);
        cached.assign(description_.columns.size(), 0.0);
        for (size_t col = 0; col < description_.columns.size(); ++col) {
            const Field* f = fields_[col];
            if (!f || !isAmountKind(description_.columns[col].kind)) continue;
            for (int rec : records) {
                const QVariant v = table_->valueAt(rec, *f);
                if (v.isValid()) cached[col] += v.toDouble();
            }
        }
    }
    return cached[size_t(section)];
}

QVariant YearGridModel::footerData(int node, int section, int role) const {
    const GridColumn& c = column(section);
    switch (role) {
    case Qt::DisplayRole:
        if (c.kind == GridColumnKind::Text && section == 0) return kFooterText;
        if (c.kind == GridColumnKind::Amount || c.kind == GridColumnKind::Total)
            return Utils::AmountFormat(Utils::kTotalPattern).format(footerSum(node, section));
        return {};
    case Qt::TextAlignmentRole:
        return isAmountKind(c.kind) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                    : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole: {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    case Qt::BackgroundRole:
        return QColor(0xF0, 0xF0, 0xF0);
    default:
        return {};
    }
}

QVariant YearGridModel::data(const QModelIndex& index, int role) const {
    const Node* n = nodeOf(index);
    if (!n || !table_) return {};
    if (role == RecNoRole) return n->kind == RowKind::Record ? n->recNo : 0;
    if (role == RowKindRole) return int(n->kind);
    if (role == Qt::AccessibleDescriptionRole) return cellDescription(index);
    switch (n->kind) {
    case RowKind::Record:
        return recordData(*n, index.column(), role);
    case RowKind::Footer:
        return footerData(int(index.internalId()), index.column(), role);
    case RowKind::Group:
        if (role == Qt::DisplayRole && index.column() == 0) return n->title;
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    }
    return {};
}

// What a screen reader says with a cell: the row's caption (its first text column) and the
// column's caption.
QString YearGridModel::cellDescription(const QModelIndex& index) const {
    const QString columnCaption =
        headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString();
    for (int c = 0; c < columnCount(); ++c)
        if (column(c).kind == GridColumnKind::Text || column(c).kind == GridColumnKind::PickText) {
            if (c == index.column()) return columnCaption;
            const QString row = data(index.siblingAtColumn(c), Qt::DisplayRole).toString();
            return row.isEmpty() ? columnCaption : QStringLiteral("%1, %2").arg(row, columnCaption);
        }
    return columnCaption;
}

bool YearGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !isEditableCell(index)) return false;
    const int recNo = recNoOf(index);
    const GridColumn& c = column(index.column());
    Field* f = fieldOf(index.column());
    try {
        if (table_->recNo() != recNo) {
            table_->setRecNo(recNo); // posts a pending row first
            if (table_->recNo() != recNo) return false;
        }
        table_->edit();
        if (c.kind == GridColumnKind::Amount) {
            const std::optional<double> amount = Utils::parseCents(value.toString());
            if (!amount) return false;
            f->setValue(*amount);
        } else {
            f->setValue(value.toString());
        }
        // A rule that refuses the row keeps it in edit with the value, as typed.
        table_->post();
    } catch (const DataSetError&) {
        table_->cancel();
        return false;
    }
    return true;
}

Qt::ItemFlags YearGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isEditableCell(index)) f |= Qt::ItemIsEditable;
    return f;
}

QVariant YearGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const GridColumn& c = column(section);
    switch (role) {
    case Qt::DisplayRole:
        return c.caption;
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignCenter);
    case BandRole: {
        if (c.band < 0) return {};
        HeaderBand band;
        band.title = description_.bands[size_t(c.band)].title;
        band.firstLeaf = section;
        while (band.firstLeaf > 0 && column(band.firstLeaf - 1).band == c.band)
            --band.firstLeaf;
        band.span = 1;
        while (band.firstLeaf + band.span < columnCount() &&
               column(band.firstLeaf + band.span).band == c.band)
            ++band.span;
        return QVariant::fromValue(band);
    }
    default:
        return {};
    }
}

// ---------------------------------------------------------------- table events

void YearGridModel::stateChanged(DataSet& ds) {
    const bool inserting = ds.state() == DataSetState::Insert;
    const bool started = inserting && !wasInserting_;
    wasInserting_ = inserting;
    // A cancelled edit shows the stored values again.
    const QModelIndex row = indexOfRecord(ds.recNo());
    if (row.isValid()) emit dataChanged(row, index(row.row(), columnCount() - 1, parent(row)));
    if (started) emit insertStarted();
}

void YearGridModel::fieldChanged(DataSet& ds, Field&) {
    if (ds.state() != DataSetState::Edit) return;
    const QModelIndex row = indexOfRecord(ds.recNo());
    if (row.isValid()) emit dataChanged(row, index(row.row(), columnCount() - 1, parent(row)));
}

void YearGridModel::dataSetDestroyed(DataSet&) {
    beginResetModel();
    table_ = nullptr;
    nodes_.clear();
    roots_.clear();
    endResetModel();
}

} // namespace editor
