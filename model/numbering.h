#pragma once

#include <QString>

class DataSet;

// Makes the numbering field (Lp., Lp, lp or Id) of every row equal to its row number,
// 1..n, touching only rows whose number is wrong; the current row stays current.
void NumerujPonownie(DataSet& table, const QString& field);
