#pragma once

#include "validation/findings.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class ApplicationFile;
class TdmDataSets;

// What the silent validation found out about one application file.
struct ValidationOutcome {
    bool loaded = false;           // the file could be parsed
    QString storedChecksum;        // as the file holds it
    QString computedChecksum;      // of the data as loaded
    bool checksumVerified = false; // holds, or the file is not held to it
    bool valid = false;            // no error rule failed (and validation did not fail)
    bool warning = false;          // a warning rule failed
    QList<Finding> findings;       // in rule order
    QStringList messages;          // load-time messages (when collected)

    // The result of SilentValCrcCheck_: 1 holds and passes, 2 holds and fails, 3 fails and
    // passes, 0 fails and fails.
    int32_t checksumAndValidationResult() const;
};

// Opens the file in the editor's file half, brings the data to the state the editor would
// show, verifies the checksum and validates, exactly as SilentValCrcCheck_ does. The data
// module must have passed the dictionary gate.
ValidationOutcome validateApplicationFile(ApplicationFile& editor, TdmDataSets& dm,
                                          const QString& path);

// Runs the validation into the window's list; an error raised by a rule counts as a
// failed validation.
bool validateSafely(TdmDataSets& dm, FindingList& window);
