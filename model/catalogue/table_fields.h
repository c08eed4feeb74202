#pragma once

#include "model/catalogue/field_builders.h"

// The field lists of the data module's tables, one function per table (or per shared
// layout), in the order each table stores its fields.
namespace CatalogueTables {
using CatalogueBuild::FieldList;

FieldList wniosek();

FieldList beneficjent();
FieldList osobyUpow();
FieldList instytucje();

FieldList pozWdr();
FieldList katInt();
FieldList lokalizacja();
// dsProdukty, dsRezultaty, dsOddz differ only in the name of their second column.
FieldList indicator(const char* itemColumn);
FieldList katPrzych();

FieldList zrodlaFin();
FieldList profilWyd();
FieldList planWydatki();
FieldList wydatki(); // dsWydatkiKw and dsWydatkiNKw
FieldList calkKoszt();

FieldList etapyRealizacji();
FieldList pomocPub();
FieldList zamPub();
FieldList polaSpec();

FieldList mapowanie();
FieldList tabMapZrodlaFin();
FieldList tabMapowanie();
} // namespace CatalogueTables
