#pragma once

#include <QString>

// The host's registry key "\Software\Zelgr", kept as an INI file. Its values live in
// the INI group "Zelgr" (a backslash is a group separator to QSettings, so the key's
// last component names the group). The file is $ZELGR_REGISTRY when that variable is
// set, else <XDG config home>/Zelgor/registry.ini.
//
// Every failure is silent, as with a registry key that cannot be opened: a read gives
// an empty text, a write returns false.
class HostRegistry {
public:
    static constexpr const char* Group = "Zelgr";
    static constexpr const char* ValueBin = "bin";              // host program folder
    static constexpr const char* ValueApplications = "wnioski"; // folder for application files
    static constexpr const char* ValueLastFile = "ostatni";     // file saved last
    // Where the next viewer of a file is to open (HostShowPlace); written by the host just
    // before it calls PodgladWniosku_ and emptied when the call returns.
    static constexpr const char* ValueShowPlace = "pokaz";

    // The file named by ZELGR_REGISTRY, else the per-user default; read on every call.
    static QString defaultFilePath();

    HostRegistry(); // the file of defaultFilePath() at the time of construction
    explicit HostRegistry(QString filePath);

    const QString& filePath() const { return filePath_; }

    // A string value; empty when the file, the group or the value is missing.
    QString readString(const QString& name) const;
    // Writes and flushes one value, creating the file and its folders when missing.
    // False when the file cannot be written.
    bool writeString(const QString& name, const QString& value) const;

    // "bin" with a trailing backslash or slash removed.
    QString binFolder() const;

private:
    QString filePath_;
};

// A place in an application file: the control of table.field, on the record `record`
// (1-based; 0 leaves the current record) of a list table. `control` names the control
// where no data control is bound to the field (a whole row of a list).
struct HostShowPlace {
    QString file; // absolute path
    QString table, field, control;
    int record = 0;

    bool isEmpty() const { return file.isEmpty(); }
    // One line, the file last: "record|table|field|control|file".
    QString toText() const;
    // Empty when the text is not such a line.
    static HostShowPlace fromText(const QString& text);
    bool operator==(const HostShowPlace&) const = default;
};
