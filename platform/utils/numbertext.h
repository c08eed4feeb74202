#pragma once

#include "platform/utils/localformats.h"

#include <QString>

#include <optional>

namespace Utils {

// Reads a number written with either decimal separator: the first occurrence of the
// foreign separator ("." when the local one is not ".", else ",") becomes the local
// one, then the text is read in the local format (no thousands separators, optional
// sign and exponent, surrounding blanks ignored). Returns nullopt when the text is
// not a finite number, including the empty text.
std::optional<double> textToNumber(const QString& text,
                                   const LocalFormats& formats = LocalFormats::standard());

} // namespace Utils
