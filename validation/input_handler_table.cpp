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
    {"Tfr_bk_topaz_q", "e500014", validateNipInput},
    {"Tfr_bk_topaz_q", "e500015", validateRegonInput},
    {"Tfr_bk_topaz_q", "e500009", postalCodeEmptyText},
    {"Tfr_bk_topaz_q", "e500012", validateEmailInput},
    {"Tfr_bk_topaz_q", "e500016", acceptAnyInput}, // shows nr_rej_edg, not a PESEL
    {"Tfr_bk_pod_repr_topaz_q", "e502014", validateNipInput},
    {"Tfr_bk_pod_repr_topaz_q", "e502015", validateRegonInput},
    {"Tfr_bk_pod_repr_topaz_q", "e502016", validatePeselInput},
    {"Tfr_bk_pod_repr_topaz_q", "e502009", postalCodeBlankMask},
    {"Tfr_bk_pod_repr_topaz_q", "e502012", validateEmailInput},
    {"Tfr_bk_pod_repr_os_up_topaz_q", "e503006", validateEmailInput},
    {"Tfr_osoba_upowazniona", "e500012", validateEmailInput},
    {"Tfr_osoba_upowazniona", "e500009", postalCodeEither},
    {"Tfr_inne_inst_zaang_topaz_q", "e608033", postalCodeEither},
    {"Tfr_inne_inst_zaang_topaz_q", "e608029", validateEmailInput},
    {"Tfr_inne_inst_zaang_topaz_q", "dxDBMaskEdit1", acceptAnyInput},
    {"Tfr_inne_inst_zaang_topaz_q", "dxDBMaskEdit2", acceptAnyInput},
    {"Tfr_pomoc_pub_topaz_q", "e619033", validateNonNegativeInput},
    {"Tfr_harm_real_proj_topaz_q", "e1000111", validateMonthYearInput},
    {"Tfr_harm_real_proj_topaz_q", "e1000112", validateMonthYearInput},
    {"Tfr_harm_real_proj_topaz_q", "e1000114", validateMonthYearInput},
    {"Tfr_harm_real_proj_topaz_q", "e1000115", validateMonthYearInput},
    {"Tfr_harm_real_proj_topaz_q", "e1000116", validateMonthYearInput},
};

// Currency year columns named by a prefix and the year.
struct YearColumns {
    const char* frame;
    const char* prefix;
    int firstYear;
    int lastYear;
};

const YearColumns kNonNegativeColumns[] = {
    {"Tfr_planowane_wydatki_topaz_q", "e614001", 2004, 2008},
    {"Tfr_profil_wyd_topaz_q", "e615001", 2004, 2009},
    {"Tfr_zr_finans_topaz_q", "e615001", 2004, 2009},
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
