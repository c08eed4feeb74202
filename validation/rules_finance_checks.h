#pragma once

#include "validation/validation_run.h"

class DataSet;
class Field;

// What the rules of finance, schedule and attachments read and how they compare it.
namespace FinanceChecks {

DataSet& table(const ValidationRun& run, const char* name);
Field& field(const ValidationRun& run, const char* tableName, const char* fieldName);
// A field of the main record dsWniosek.
Field& wniosek(const ValidationRun& run, const char* fieldName);

// blank: the value as text, trimmed, is empty; empty: the untrimmed text is empty.
bool blank(const Field& f);
bool empty(const Field& f);
// The untrimmed text equals the code exactly, letter case included.
bool is(const Field& f, const char* code);

// a is earlier than b, a missing date counting as the earliest date of all.
bool earlierMissingFirst(const Field& a, const Field& b);
// Both dates are given and a is later than b.
bool laterWhenBothGiven(const Field& a, const Field& b);

// The programme priority is technical assistance: dsPozWdr.PWD_KOD_ID2 is "3".
bool technicalAssistance(const ValidationRun& run);

// Moves the tree to its first row whose Zrodlo is exactly the text, with the bound
// controls disabled during the search; false when there is none.
bool locateSource(DataSet& tree, const char* zrodlo);

// Evaluates a row with a condition and records it under its own number, or under the
// owner's when it is an unnumbered part; true when it passed. The rows of a walk and of an
// operation with several findings are evaluated this way.
bool evaluate(ValidationRun& run, const ValidationRule& rule, RuleNumber owner = {});

} // namespace FinanceChecks
