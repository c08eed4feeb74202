#pragma once

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class DataSet;

// A filter expression: equality (and inequality) tests of a field against a quoted
// text, a bare number or NULL, joined with AND / OR (any letter case) and parentheses.
//   par_id = NULL      (Etap = '1') and (CZY_KWALIFIKOWANE = 'T')      KOD = '3' OR KOD = '4'
class FilterExpression {
public:
    FilterExpression();
    ~FilterExpression();
    FilterExpression(FilterExpression&&) noexcept;
    FilterExpression& operator=(FilterExpression&&) noexcept;

    // Parses the text against the fields of the table; throws DataSetError on bad syntax
    // or an unknown field. An empty text gives a filter that accepts every row.
    static FilterExpression parse(const QString& text, const DataSet& table);

    bool isEmpty() const { return !root_; }
    // Tests one stored row (values by field index).
    bool matches(const std::vector<QVariant>& row) const;

    struct Node;

private:
    std::unique_ptr<Node> root_;
};
