#pragma once

// Runs the finance, schedule and attachment rules over a whole module the way the rule
// set runs them, and enters data the way the editor's controls do.
#include "tests/model/module_fixture.h"
#include "validation/rule_set.h"
#include "validation/rules_finance.h"

#include <QDate>
#include <QHash>
#include <QStringList>

namespace FinanceRulesTest {

using namespace ModuleTest;

// What the rules numbered from..to (by their leading digits) recorded in one run.
struct Outcome {
    FindingList window;
    bool passed = true;
    bool warning = false;

    // "rule message" of every finding, in the order recorded.
    QStringList lines() const {
        QStringList out;
        for (const Finding& f : window.findings())
            out << f.rule + QLatin1Char(' ') + f.message;
        return out;
    }
    // "table.field control" of every finding: where the editor leads.
    QStringList targets() const {
        QStringList out;
        for (const Finding& f : window.findings())
            out << f.table + QLatin1Char('.') + f.field + QLatin1Char(' ') + f.control;
        return out;
    }
};

inline Outcome runFinanceRules(ModuleFixture& fx, int from = 1, int to = 106) {
    Outcome out;
    ValidationRun run(*fx.dm, out.window);
    for (const ValidationRule& rule : financeScheduleRules()) {
        const int n = ruleOrdinal(rule);
        if (n >= from && n <= to) runRule(run, rule);
    }
    out.passed = run.passed();
    out.warning = run.warning();
    return out;
}

// The expected lines: each entry is a rule number followed by its message.
inline QStringList expected(std::initializer_list<std::pair<const char*, const char*>> findings) {
    QStringList out;
    for (const auto& [rule, message] : findings)
        out << u(rule) + QLatin1Char(' ') + u(message);
    return out;
}

// Sets one field of a single-row table (dsWniosek, dsPolaSpec, dsBeneficjent) and posts,
// as leaving a control does. Texts of *_tmp fields are month inputs; "yyyy-MM-dd" texts
// of date fields are dates; an empty text clears the field.
inline void setValue(ModuleFixture& fx, const char* table, const char* field,
                     const QString& value) {
    DataSet& t = fx.t(table);
    t.edit();
    Field& f = t.field(u(field));
    if (value.isEmpty())
        f.clear();
    else if (f.type() == FieldType::Date)
        f.setValue(QDate::fromString(value, Qt::ISODate));
    else
        f.setValue(value);
    t.post();
}

inline void setMain(ModuleFixture& fx, const char* field, const QString& value) {
    setValue(fx, "dsWniosek", field, value);
}

// A stage as the stage grid enters it: description and month texts.
inline void addStage(ModuleFixture& fx, const char* description, const char* start,
                     const char* end) {
    DataSet& stages = fx.t("dsEtapyRealizacji");
    stages.append();
    stages.field(u("ZAKRES_PRAC")).setValue(u(description));
    stages.field(u("TERMIN_ROZP_TMP")).setValue(u(start));
    stages.field(u("TERMIN_ZAK_TMP")).setValue(u(end));
    stages.post();
}

// An amount typed into the row with the given Id of a finance tree.
inline void setTreeAmount(ModuleFixture& fx, const char* tree, int id, int year, double amount) {
    DataSet& t = fx.t(tree);
    t.locate(u("Id"), id);
    t.edit();
    t.field(QString::number(year)).setValue(amount);
    t.post();
}

// Switches a year column of a grid on ("T") or off ("N").
inline void setYearSwitch(ModuleFixture& fx, const char* prefix, int year, bool on) {
    setMain(fx, (u(prefix) + QString::number(year) + u("v")).toLatin1().constData(),
            on ? u("T") : u("N"));
}

// "rule message" lines with the messages the rule table gives them (the table itself is
// held to the recorded rules).
inline QStringList withMessages(const QStringList& rules) {
    QStringList out;
    for (const QString& n : rules)
        for (const ValidationRule& r : financeScheduleRules())
            if (n == QLatin1String(r.number.text()))
                out << n + QLatin1Char(' ') + u(r.message ? r.message : "?");
    return out;
}

// "rule message" lines of rules whose bodies build their messages.
inline QStringList withMessages(const QStringList& rules, const QHash<QString, QString>& messages) {
    QStringList out;
    for (const QString& rule : rules)
        out << rule + QLatin1Char(' ') + messages.value(rule, u("?"));
    return out;
}

} // namespace FinanceRulesTest
