#pragma once

#include <QString>

#include <vector>

class TdmDataSets_t;

// One row of the mapping table tabMapowanie: which dataset goes into which database
// table, column by column, and how its rows hang under their parent rows.
struct MappingRow {
    QString dsname;        // dataset of the data module
    QString plo_tabela;    // database table ("nazwa" of TABELA)
    QString nowy_wiersz;   // "T": a WIERSZ per record; "N": merged into existing rows
    QString plo_kolumny;   // "COLUMN=field;..."
    QString plo_wartosci;  // "COLUMN=constant;..."
    QString niebazowe;     // "field;..." written without a column name
    QString plo_nadrzedna; // parent database table; empty for the application row
    QString warunek;       // "ds_nadrz=..;kol_nadrz=..;kol_pod=..[;wart_podrz=..]"
};

// The 103 rows of the mapping, in stored order, as the module declares them (before the
// start-up extensions).
const std::vector<MappingRow>& declaredMappingRows();

// Fills tabMapowanie with the declared rows; does nothing when it already holds rows.
void fillMappingTable(TdmDataSets_t& dm);

// The start-up extensions: the "_kodRT" code fields of the person tables and the three
// region codes of dsLokalizacja appended to the non-base lists. Running it again adds
// nothing (a list that already ends with the text is left alone).
void extendMappingTable(TdmDataSets_t& dm);
