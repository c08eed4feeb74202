#pragma once

#include <QList>
#include <QString>

enum class Severity { Error, Warning };

// One line of the validation window: the rule that failed, its message and where it
// leads (the target field and the name of the editor control bound to it).
struct Finding {
    QString rule; // "77", "48a", "106.3"
    Severity severity = Severity::Error;
    QString message;
    QString table;
    QString field;
    QString control;
    int imageIndex() const { return severity == Severity::Error ? 0 : 1; }
};

// The list of the validation window, without the window: PrepareValidationWindow empties
// it, every rule records itself through AddFinding, the window (or the command line) shows
// the findings in the order recorded.
class FindingList {
public:
    void clear() { findings_.clear(); }
    // Appends the finding when the rule failed and a control is known; returns whether
    // the rule passed. A failed rule without a control still counts as failed.
    bool AddFinding(bool failed, const Finding& finding);
    const QList<Finding>& findings() const { return findings_; }

private:
    QList<Finding> findings_;
};
