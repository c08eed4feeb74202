#include "validation/input_handler_table.h"

#include <QHash>

namespace {

struct Attachment {
    const char* frame;
    const char* control;
    InputHandler handler;
};

InputVerdict postalCodeEmptyText(const QString& t) {
    return validatePostalCodeInput(t, BlankPostalCode::EmptyText);
}
InputVerdict postalCodeBlankMask(const QString& t) {
    return validatePostalCodeInput(t, BlankPostalCode::BlankMask);
}
InputVerdict postalCodeEither(const QString& t) {
    return validatePostalCodeInput(t, BlankPostalCode::EmptyTextOrBlankMask);
}

const Attachment kAttachments[] = {
    {.frame = "Tfr_bk_topaz_q", .control = "e500014", .handler = validateNipInput},
    {.frame = "Tfr_bk_topaz_q", .control = "e500015", .handler = validateRegonInput},
    {.frame = "Tfr_bk_topaz_q", .control = "e500009", .handler = postalCodeEmptyText},
    {.frame = "Tfr_bk_topaz_q", .control = "e500012", .handler = validateEmailInput},
    // e500016 shows nr_rej_edg, not a PESEL.
    {.frame = "Tfr_bk_topaz_q", .control = "e500016", .handler = acceptAnyInput},
    {.frame = "Tfr_bk_pod_repr_topaz_q", .control = "e502014", .handler = validateNipInput},
    {.frame = "Tfr_bk_pod_repr_topaz_q", .control = "e502015", .handler = validateRegonInput},
    {.frame = "Tfr_bk_pod_repr_topaz_q", .control = "e502016", .handler = validatePeselInput},
    {.frame = "Tfr_bk_pod_repr_topaz_q", .control = "e502009", .handler = postalCodeBlankMask},
    {.frame = "Tfr_bk_pod_repr_topaz_q", .control = "e502012", .handler = validateEmailInput},
    {.frame = "Tfr_bk_pod_repr_os_up_topaz_q", .control = "e503006", .handler = validateEmailInput},
    {.frame = "Tfr_osoba_upowazniona", .control = "e500012", .handler = validateEmailInput},
    {.frame = "Tfr_osoba_upowazniona", .control = "e500009", .handler = postalCodeEither},
    {.frame = "Tfr_inne_inst_zaang_topaz_q", .control = "e608033", .handler = postalCodeEither},
    {.frame = "Tfr_inne_inst_zaang_topaz_q", .control = "e608029", .handler = validateEmailInput},
    {.frame = "Tfr_inne_inst_zaang_topaz_q", .control = "dxDBMaskEdit1", .handler = acceptAnyInput},
    {.frame = "Tfr_inne_inst_zaang_topaz_q", .control = "dxDBMaskEdit2", .handler = acceptAnyInput},
    {.frame = "Tfr_pomoc_pub_topaz_q", .control = "e619033", .handler = validateNonNegativeInput},
    {.frame = "Tfr_harm_real_proj_topaz_q",
     .control = "e1000111",
     .handler = validateMonthYearInput},
    {.frame = "Tfr_harm_real_proj_topaz_q",
     .control = "e1000112",
     .handler = validateMonthYearInput},
    {.frame = "Tfr_harm_real_proj_topaz_q",
     .control = "e1000114",
     .handler = validateMonthYearInput},
    {.frame = "Tfr_harm_real_proj_topaz_q",
     .control = "e1000115",
     .handler = validateMonthYearInput},
    {.frame = "Tfr_harm_real_proj_topaz_q",
     .control = "e1000116",
     .handler = validateMonthYearInput},
};

// Currency year columns named by a prefix and the year.
struct YearColumns {
    const char* frame;
    const char* prefix;
    int firstYear;
    int lastYear;
};

const YearColumns kNonNegativeColumns[] = {
    {.frame = "Tfr_planowane_wydatki_topaz_q",
     .prefix = "e614001",
     .firstYear = 2004,
     .lastYear = 2008},
    {.frame = "Tfr_profil_wyd_topaz_q", .prefix = "e615001", .firstYear = 2004, .lastYear = 2009},
    {.frame = "Tfr_zr_finans_topaz_q", .prefix = "e615001", .firstYear = 2004, .lastYear = 2009},
};

QString key(const QString& frame, const QString& control) {
    return frame + u'/' + control;
}

QHash<QString, InputHandler> buildTable() {
    QHash<QString, InputHandler> table;
    for (const Attachment& a : kAttachments)
        table.insert(key(QLatin1String(a.frame), QLatin1String(a.control)), a.handler);
    for (const YearColumns& c : kNonNegativeColumns)
        for (int year = c.firstYear; year <= c.lastYear; ++year)
            table.insert(
                key(QLatin1String(c.frame), QLatin1String(c.prefix) + QString::number(year)),
                validateNonNegativeInput);
    return table;
}

} // namespace

InputHandler inputHandlerFor(const QString& frame, const QString& control) {
    static const QHash<QString, InputHandler> table = buildTable();
    return table.value(key(frame, control));
}
