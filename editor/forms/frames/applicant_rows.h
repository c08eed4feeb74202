#pragma once

// Rows that the frames of the applicant page share: plain and masked edits of
// dsBeneficjent and the address block of a body or person.
#include "editor/forms/frames/frame_rows.h"

namespace editor::rows {

inline constexpr const char* kApplicant = "dsBeneficjent";

// The legal forms the applicant and its representative may choose from.
inline constexpr const char* kApplicantLegalForms =
    "WARTOSC = '0' or WARTOSC = '3' or WARTOSC = '16' or WARTOSC = '17' or WARTOSC = '23' or "
    "WARTOSC = '24' or WARTOSC = '25' or WARTOSC = '28' or WARTOSC = '29' or WARTOSC = '31' or "
    "WARTOSC = '26' or WARTOSC = 'SG' or WARTOSC = 'SP' or WARTOSC = 'ZS2' or WARTOSC = 'JAP' or "
    "WARTOSC = 'OAR'";
inline constexpr const char* kRepresentativeLegalForms = "WARTOSC = '27' OR WARTOSC = '1' ";

inline constexpr const char* kPostalCodeMask = "00-000;1;_";

inline ControlRow edit(const char* name, const char* table, const char* field, const QString& label,
                       Placement placement = Placement::NewLine, int width = 0, int maxLength = 0) {
    return {.name = name,
            .kind = ControlKind::Edit,
            .table = table,
            .field = field,
            .label = label,
            .placement = placement,
            .maxLength = maxLength,
            .width = width};
}

inline ControlRow maskEdit(const char* name, const char* table, const char* field,
                           const QString& label, const char* mask, int width,
                           Placement placement = Placement::NewLine) {
    return {.name = name,
            .kind = ControlKind::MaskEdit,
            .table = table,
            .field = field,
            .label = label,
            .placement = placement,
            .mask = mask,
            .width = width};
}

// The legal-form lookup that lists only `forms` while it has the focus.
inline ControlRow legalForm(const char* name, const char* field, const QString& label,
                            const char* forms) {
    ControlRow row = lookup(name, kApplicant, field, label);
    row.enterFilter = forms;
    return row;
}

// Control names and fields of one address: województwo, powiat, gmina (the lookups),
// then miejscowość, ulica, house and flat number and postal code.
struct Address {
    const char* names[8];
    const char* fields[8];
    const char* regionKey; // the województwo the powiat list follows
    const char* countyKey; // the powiat the gmina list follows
};

// The lower levels list only the children of the level above while they have the focus.
inline std::vector<ControlRow> addressRows(const Address& a, const QString& firstLabel) {
    return {
        lookup(a.names[0], kApplicant, a.fields[0], firstLabel),
        lookup(a.names[1], kApplicant, a.fields[1], QStringLiteral("Powiat"),
               {.dictionary = "sl_NUTS3",
                .keyField = "PARENT_ID",
                .parentTable = kApplicant,
                .parentField = a.regionKey}),
        lookup(a.names[2], kApplicant, a.fields[2], QStringLiteral("Gmina"),
               {.dictionary = "sl_NUTS4",
                .keyField = "PARENT_ID",
                .parentTable = kApplicant,
                .parentField = a.countyKey}),
        edit(a.names[3], kApplicant, a.fields[3], QStringLiteral("Miejscowość")),
        edit(a.names[4], kApplicant, a.fields[4], QStringLiteral("Ulica")),
        edit(a.names[5], kApplicant, a.fields[5], QStringLiteral("Nr domu"), Placement::NewLine,
             90),
        edit(a.names[6], kApplicant, a.fields[6], QStringLiteral("Nr lokalu"), Placement::Beside,
             90),
        maskEdit(a.names[7], kApplicant, a.fields[7], QStringLiteral("Kod pocztowy"),
                 kPostalCodeMask, 80, Placement::Beside),
    };
}

inline void append(std::vector<ControlRow>& rows, std::vector<ControlRow> more) {
    for (ControlRow& r : more)
        rows.push_back(std::move(r));
}

} // namespace editor::rows
