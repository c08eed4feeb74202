#include "file/mapping_lists.h"

#include "file/application_xml.h"
#include "platform/dataset/dataset.h"

MappingLists::Pair splitPair(const QString& entry) {
    const qsizetype eq = entry.indexOf(QLatin1Char('='));
    if (eq < 0) return {entry, QString()};
    return {entry.left(eq), entry.mid(eq + 1)};
}

namespace {

QList<MappingLists::Pair> completePairs(const QString& text) {
    QList<MappingLists::Pair> out;
    for (const QString& entry : ApplicationXml::zrobliste(text)) {
        MappingLists::Pair p = splitPair(entry);
        if (!p.first.isEmpty() && !p.second.isEmpty()) out.append(std::move(p));
    }
    return out;
}

void readCondition(MappingLists& m, const QString& text) {
    const QStringList entries = ApplicationXml::zrobliste(text);
    m.hasCondition = !entries.isEmpty();
    for (const QString& entry : entries) {
        const auto [key, value] = splitPair(entry);
        if (key == QLatin1String("ds_nadrz"))
            m.parentDataSet = value;
        else if (key == QLatin1String("kol_nadrz"))
            m.parentField = value;
        else if (key == QLatin1String("kol_pod"))
            m.childField = value;
        else if (key == QLatin1String("wart_podrz"))
            m.fixedParentValue = value;
    }
}

} // namespace

std::vector<MappingLists> readMappingLists(const DataSet& mapping) {
    const Field& dsname = mapping.field(QStringLiteral("dsname"));
    const Field& table = mapping.field(QStringLiteral("plo_tabela"));
    const Field& newRow = mapping.field(QStringLiteral("nowy_wiersz"));
    const Field& columns = mapping.field(QStringLiteral("plo_kolumny"));
    const Field& constants = mapping.field(QStringLiteral("plo_wartosci"));
    const Field& nonBase = mapping.field(QStringLiteral("niebazowe"));
    const Field& parent = mapping.field(QStringLiteral("plo_nadrzedna"));
    const Field& condition = mapping.field(QStringLiteral("warunek"));
    auto text = [&](int rec, const Field& f) { return mapping.valueAt(rec, f).toString(); };

    std::vector<MappingLists> out;
    out.reserve(size_t(mapping.recordCount()));
    for (int rec = 1; rec <= mapping.recordCount(); ++rec) {
        MappingLists m;
        m.dsname = text(rec, dsname);
        m.table = text(rec, table);
        m.parent = text(rec, parent);
        m.newRow = text(rec, newRow) == QLatin1String("T");
        for (const QString& entry : ApplicationXml::zrobliste(text(rec, nonBase)))
            if (!entry.isEmpty()) m.nonBase.append(entry);
        m.columns = completePairs(text(rec, columns));
        m.constants = completePairs(text(rec, constants));
        readCondition(m, text(rec, condition));
        out.push_back(std::move(m));
    }
    return out;
}
