#pragma once

// Runs rules of a rule table over a whole module the way the rule set runs them, after a
// script of what a user enters (see ModuleFixture::play).
#include "tests/model/module_fixture.h"
#include "validation/rule_set.h"
#include "validation/rules_finance.h"

#include <QHash>
#include <QStringList>

#include <span>

namespace FinanceRulesTest {

using namespace ModuleTest;

// What the rules recorded in one run.
struct Outcome {
    FindingList window;
    bool passed = true;

    // "rule message" of every finding, in the order recorded.
    QStringList lines() const {
        QStringList out;
        for (const Finding& f : window.findings())
            out << f.rule + QLatin1Char(' ') + f.message;
        return out;
    }
};

// Runs the rules whose leading numbers `numbers` names ("2-3", "1,9"; empty: all).
inline Outcome runNumbered(ModuleFixture& fx, std::span<const ValidationRule> table,
                           const QString& numbers, ControlLocator locator = {}) {
    std::vector<const ValidationRule*> rules;
    for (const ValidationRule& r : table) {
        const int n = ruleOrdinal(r);
        bool named = numbers.isEmpty();
        for (const QString& part : numbers.split(u',', Qt::SkipEmptyParts))
            named |= n >= part.section(u'-', 0, 0).toInt() && n <= part.section(u'-', -1).toInt();
        if (named) rules.push_back(&r);
    }
    Outcome out;
    out.passed = runRules(*fx.dm, out.window, rules, std::move(locator));
    return out;
}

inline const ValidationRule* ruleNumbered(std::span<const ValidationRule> table,
                                          const QString& number) {
    for (const ValidationRule& r : table)
        if (number == QLatin1String(r.number.text())) return &r;
    return nullptr;
}

// "rule message" lines: an entry with a message stays as it is; a rule number alone stands
// for the message the rule table gives it, or else the one `built` gives it.
inline QStringList withMessages(std::span<const ValidationRule> table, QStringList findings,
                                const QHash<QString, QString>& built = {}) {
    for (QString& f : findings) {
        const ValidationRule* r = ruleNumbered(table, f);
        if (!f.contains(u' '))
            f += u' ' + (r && r->message ? u(r->message) : built.value(f, u("?")));
    }
    return findings;
}

// Each case: the rules run (see runNumbered), a script of what the user enters with "?"
// checks of the module after the run, and the findings expected (see withMessages).
inline void addColumns() {
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("findings");
}
inline void addCase(const QString& name, const char* numbers, const QStringList& script,
                    const QStringList& findings) {
    QTest::newRow(qPrintable(name)) << u(numbers) << script << findings;
}

// The run passes unless an error rule fails; the walks leave every table as they found it;
// findings whose message `targets` names lead to that "table.field control". `steps` adds
// script steps of the unit's own.
inline void runCase(std::span<const ValidationRule> table, const QHash<QString, QString>& built,
                    const QHash<QString, QString>& targets = {},
                    std::function<bool(ModuleFixture&, const QString&)> steps = {}) {
    QFETCH(QString, numbers);
    QFETCH(QStringList, script);
    QFETCH(QStringList, findings);
    ModuleFixture fx;
    if (steps) fx.step = [&](const QString& line) { return steps(fx, line); };
    fx.play(script.filter(QRegularExpression(QStringLiteral("^[^?]"))));
    if (QTest::currentTestFailed()) return;
    const Outcome out = runNumbered(fx, table, numbers);
    bool errors = false;
    for (const QString& f : findings) {
        const ValidationRule* r = ruleNumbered(table, f.section(u' ', 0, 0));
        errors |= !r || r->severity == Severity::Error;
    }
    QCOMPARE(out.lines(), withMessages(table, findings, built));
    QCOMPARE(out.passed, !errors);
    for (const Finding& f : out.window.findings())
        if (targets.contains(f.message))
            QCOMPARE(f.table + u'.' + f.field + u' ' + f.control, targets[f.message]);
    for (const auto& t : fx.dm->tables())
        QVERIFY2(!t->controlsDisabled(), qPrintable(t->name()));
    fx.play(script.filter(QRegularExpression(QStringLiteral("^\\?"))));
}

} // namespace FinanceRulesTest
