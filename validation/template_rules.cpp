#include "validation/template_rules.h"

#include "model/dm_main_tmpl.h"
#include "validation/findings.h"

bool runTemplateRules(TdmDataSets_t& dm, FindingList& window) {
    DataSet& b = dm.table(QStringLiteral("dsBeneficjent"));
    auto require = [&](const char* field, const char* control, const QString& message) {
        const bool failed = b.field(QLatin1String(field)).asString().trimmed().isEmpty();
        Finding f;
        f.message = message;
        f.table = b.name();
        f.field = QLatin1String(field);
        f.control = QLatin1String(control);
        return window.AddFinding(failed, f);
    };
    const bool nr =
        require("adr_nr", "e500008", QStringLiteral("Pole \"Nr domu\" musi być wypełnione"));
    const bool kod =
        require("adr_kod", "e500009", QStringLiteral("Pole \"Kod pocztowy\" musi być wypełnione"));
    return nr && kod;
}
