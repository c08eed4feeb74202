#pragma once

#include "platform/dataset/dataset.h"

#include <QString>

// Helpers shared by the record rule files.
namespace RecordHooks {

// The one-character "yes" of the flags.
inline bool isYes(const Field& f) {
    return f.asString() == QLatin1String("T");
}
inline const QString& yes() {
    static const QString t = QStringLiteral("T");
    return t;
}
inline const QString& no() {
    static const QString n = QStringLiteral("N");
    return n;
}

// The procurement record (dsWniosek or a row of dsZamPub) asks either for the start
// date of the procedure (not started) or for its announcement (started).
inline void clearByProcurementStart(DataSet& t) {
    if (!isYes(t.field(QStringLiteral("zgod_zam_pub_rozp")))) {
        t.field(QStringLiteral("zgod_zam_pub_nr_ogl")).clear();
        t.field(QStringLiteral("zgod_zam_pub_data_ogl")).clear();
    } else {
        t.field(QStringLiteral("zgod_zam_pub_data_rozp")).clear();
    }
}

// Holds a field's change rule off for its lifetime and puts it back on every way out,
// so that a rule can set the field without running it again. Not for the field whose
// rule is running: a hook cannot be emptied while it runs.
class ChangeHookPause {
public:
    explicit ChangeHookPause(Field& f) : field_(f), saved_(std::move(f.onChange)) {
        field_.onChange = nullptr;
    }
    ~ChangeHookPause() { field_.onChange = std::move(saved_); }
    ChangeHookPause(const ChangeHookPause&) = delete;
    ChangeHookPause& operator=(const ChangeHookPause&) = delete;

private:
    Field& field_;
    Field::ChangeHook saved_;
};

} // namespace RecordHooks
