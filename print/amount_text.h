#pragma once

#include <QString>
#include <QVariant>

// Amounts as the form prints them: "#,##0.00" with the module's separators (decimal ",",
// thousands " "), so 1234567.5 prints "1 234 567,50". An empty value prints nothing.
QString amountText(const QVariant& value);
QString amountText(double value);
