#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class TdmDataSets_t;

// The checksum of an application: an MD5 digest of the text values of every data field
// of the application tables, folded to four groups of four hexadecimal digits
// ("ccd3-a048-ff77-beef"). It marks files changed outside the module; it protects nothing.
namespace Checksum {

// The bytes the digest is taken over: the text in the system code page (windows-1250
// unless the system has another).
QByteArray digestInput(const QString& text);

// Folds a digest written as 32 hexadecimal digits: the four 32-bit words W1..W4 (most
// significant digit first) are added pairwise with an end-around carry, W1+W2 and
// W3+W4, and written as 16 digits in groups of four joined by "-".
QString foldDigest(const QString& hexDigest);

// The checksum of a text.
QString ofText(const QString& text);

} // namespace Checksum

// The text that is digested: for every open application table in component order, every
// record from the first, every data field with a non-empty value, tag 0 and a name other
// than "suma_kontrolna", its value followed by "~" (dates as "yyyy.MM.dd"). Tables being
// edited are posted first; Zmieniony keeps its value.
QString BuildChecksumText(TdmDataSets_t& dm);
// The same text of the data as the controls show it: nothing is posted, and a record being
// edited contributes what its edit buffer holds.
QString BuildShownChecksumText(const TdmDataSets_t& dm);

// The checksum of the data as it is now, without storing it.
QString ComputeChecksum(TdmDataSets_t& dm);

// What the verification needs to know about the file that was loaded.
struct LoadedFileState {
    bool closingByHost = false;
    bool loadFailed = false;
    QString fileVersion;   // "wersja" of the file
    QString moduleVersion; // the current module version ("1.0.0.0" fallback applied)
};

// The editor's checksum: the checksum action, the verification after a load and the flag
// that exempts files of other module versions.
class ApplicationChecksum {
public:
    explicit ApplicationChecksum(TdmDataSets_t& dm) : dm_(dm) {}

    // Set by VerifyChecksum for a file of another module version: while it is set and
    // nothing was changed, a recomputed checksum is not stored.
    bool ChecksumTrusted = false;

    // Computes the checksum and stores it in dsWniosek.suma_kontrolna when it differs.
    void acSumaK();

    // True when the stored checksum matches the data, or when the file is not held to
    // its checksum (damaged file, other module version, host closing the editor).
    bool VerifyChecksum(const LoadedFileState& file);

    // The checksum dsWniosek holds now.
    QString storedChecksum() const;

private:
    // ComputeChecksum, computed again only when a table changed since the last time:
    // verifying after a load and saving right after would otherwise build the text of
    // every value twice.
    QString currentChecksum();

    TdmDataSets_t& dm_;
    std::vector<quint64> computedAt_; // the tables' versions when `computed_` was made
    QString computed_;
};
