#pragma once

#include <QString>

// The Polish identifiers. Each check takes the text as typed and returns true when it is
// acceptable; a malformed text gives false, nothing is thrown.

// PESEL: exactly 11 digits, neither the first six nor the last five all zero, and the
// check digit of the weights 1 3 7 9 1 3 7 9 1 3. The empty text is invalid.
bool CheckPESEL(const QString& text);

// NIP: every "-" is dropped first (blanks stay and make it invalid); then exactly 10
// digits, neither the first five nor the last five all zero, and the weights
// 6 5 7 2 3 4 5 6 7 modulo 11, where a remainder of 10 stands for a check digit 0.
bool CheckNIP(const QString& text);

// REGON: after trimming blanks, 0, 7, 9 or 14 digits. The check digit is not verified,
// and the empty text is valid.
bool CheckREGON(const QString& text);
