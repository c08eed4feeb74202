#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class DataSet;

// A row of tabMapowanie with its texts split into lists, as the writer uses it.
struct MappingLists {
    using Pair = std::pair<QString, QString>;

    QString dsname;
    QString table;         // plo_tabela
    QString parent;        // plo_nadrzedna
    bool newRow = false;   // nowy_wiersz "T"
    QStringList nonBase;   // non-empty entries only
    QList<Pair> columns;   // column = field; both non-empty
    QList<Pair> constants; // column = constant; both non-empty

    // The link to the parent row (warunek); hasCondition when the text has entries.
    bool hasCondition = false;
    QString parentDataSet;    // ds_nadrz
    QString parentField;      // kol_nadrz
    QString childField;       // kol_pod
    QString fixedParentValue; // wart_podrz ("NULL": the empty value)
};

// Every row of the mapping table in stored order.
std::vector<MappingLists> readMappingLists(const DataSet& mapping);

// "COLUMN=value" split at the first "="; without "=" the value is empty.
MappingLists::Pair splitPair(const QString& entry);
