#pragma once

#include <stdexcept>

// Every failure of the XML layer. Parse failures (malformed, truncated or refused
// input) carry "Parser error" in their text, which is how the file reader tells a
// damaged file from other trouble. A file that cannot be opened or read at all, and
// a document that cannot be written, carry a Polish message without that phrase.
class XmlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
