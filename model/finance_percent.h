#pragma once

// The shares that the finance trees store in their "_pr" columns.
namespace FinancePercent {

// part / total * 100, rounded to four decimal places with halves to the even neighbour.
// The amounts are taken at their shortest decimal form (what the user typed and the file
// holds), and the share is computed and rounded exactly in decimal, so 1/3 gives 33,3333
// and an amount that makes the share exactly 12,34565 gives 12,3456. total must not be 0.
double share(double part, double total);

// A value rounded the same way at its shortest decimal form.
double roundHalfEven4(double value);

} // namespace FinancePercent
