#pragma once

#include <QString>

#include <cstdint>

// What every export shares: the common start (data module, dictionary gate), the
// export's own steps and the common end (everything freed, both references empty).
enum class ExportKind {
    NowyWniosek,
    EdytujWniosek,
    PodgladWniosku,
    DrukujWniosek,
    SprawdzSume,
    SilentCrcCheck,
    SilentPreview,
    SilentValidate,
    SilentValCrcCheck,
};

// The four exports that talk to the user when the dictionaries are unusable.
bool isInteractive(ExportKind kind);

int32_t runExport(ExportKind kind, const QString& path);

// True while no export runs: both process-wide references are empty.
bool invocationObjectsFreed();
