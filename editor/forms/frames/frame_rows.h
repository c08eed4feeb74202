#pragma once

// Short builders for the rows that recur in the frame tables.
#include "editor/forms/description/frame_description.h"

namespace editor::rows {

inline const QString kMax4000 = QStringLiteral("* Maksymalnie 4000 znaków");

// A long text under its label, across the frame.
inline ControlRow memo(const char* name, const char* table, const char* field, const QString& label,
                       int maxLength = 4000, int height = 90) {
    return {.name = name,
            .kind = ControlKind::Memo,
            .table = table,
            .field = field,
            .label = label,
            .placement = Placement::Above,
            .maxLength = maxLength,
            .height = height};
}

inline ControlRow lookup(const char* name, const char* table, const char* field,
                         const QString& label, Cascade cascade = {}) {
    return {.name = name,
            .kind = ControlKind::Lookup,
            .table = table,
            .field = field,
            .label = label,
            .cascade = cascade};
}

// A code shown beside its lookup; the data module fills it.
inline ControlRow code(const char* name, const char* table, const char* field) {
    return {.name = name,
            .kind = ControlKind::Edit,
            .table = table,
            .field = field,
            .label = QStringLiteral("Kod"),
            .behaviour = Behaviour::Disabled,
            .placement = Placement::Beside,
            .width = 70};
}

inline ControlRow check(const char* name, const char* table, const char* field,
                        const QString& caption, const char* on, const char* off,
                        Placement placement = Placement::NewLine, const QString& prompt = {}) {
    return {.name = name,
            .kind = ControlKind::Check,
            .table = table,
            .field = field,
            .label = caption,
            .prompt = prompt,
            .placement = placement,
            .onValue = on,
            .offValue = off};
}

// A question answered by a "Tak"/"Nie" pair on one field; the names end in 1 and 2.
inline std::vector<ControlRow> yesNo(const char* yesName, const char* noName, const char* table,
                                     const char* field, const QString& question,
                                     const char* cleared) {
    return {check(yesName, table, field, QStringLiteral("Tak"), "T", cleared ? cleared : "N",
                  Placement::NewLine, question),
            check(noName, table, field, QStringLiteral("Nie"), "N", cleared ? cleared : "T",
                  Placement::Beside)};
}

inline ControlRow navigator(const char* name, const char* table, Behaviours behaviour = {},
                            const QString& prompt = {}) {
    return {.name = name,
            .kind = ControlKind::Navigator,
            .table = table,
            .label = QStringLiteral("Nawigator"),
            .prompt = prompt,
            .behaviour = behaviour};
}

inline ControlRow monthEdit(const char* name, const char* field, const QString& label,
                            Behaviours behaviour = {}) {
    return {.name = name,
            .kind = ControlKind::MaskEdit,
            .table = "dsWniosek",
            .field = field,
            .label = label,
            .behaviour = behaviour,
            .mask = "!00 0000;1;_",
            .width = 90};
}

// The frame's year-column grids with the year spinner and buttons, across the frame.
inline ControlRow yearGrids(const QString& label) {
    return {.name = "pnTabeleRoczne", .kind = ControlKind::YearGrids, .label = label};
}

} // namespace editor::rows
