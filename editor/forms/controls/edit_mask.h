#pragma once

#include <QString>

// The masks of the frame tables ("!00 0000;1;_": pattern, whether literals are stored,
// blank character) read into what a line edit needs. Every digit position may stay
// blank: the mask shapes the input, it does not force it to be complete.
struct EditMask {
    QString inputMask; // for QLineEdit::setInputMask
    bool storesLiterals = true;
    QChar blank = u'_';

    static EditMask parse(const QString& mask);
    bool isEmpty() const { return inputMask.isEmpty(); }
    // The text a field receives from what the edit displays: blanks become spaces, the
    // literals are dropped unless stored, blank positions at either end are dropped, and
    // a mask with nothing typed gives "".
    QString storedText(const QString& displayText) const;
    // The same text before a mask with nothing typed is taken as "": the blanks and, when
    // stored, the literals ("  -   " for an empty postal code). The input checks read it.
    QString maskText(const QString& displayText) const;

private:
    QString pattern; // the mask positions, one character each: '0' digit, else a literal
};
