#pragma once

// A data module built for a test: the sample dictionary from examples/ (or a folder the test
// names), a HeadlessUi that records every message; helpers to fill and read tables.
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"
#include "tests/test_support.h"

#include <QDate>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <memory>

// Helpers of the model and validation units, in a namespace of their own so that other units
// including this fixture keep their own names.
namespace ModuleTest {

using TestSupport::u;

// The values of one field in every visible row, in table order.
inline QStringList column(const DataSet& t, const QString& field) {
    QStringList out;
    for (int i = 1; i <= t.recordCount(); ++i)
        out << t.valueAt(i, t.field(field)).toString();
    return out;
}

// Each message box shown as "caption|text|icon|buttons"; box() gives an expected one.
inline QString box(const QString& caption, const QString& text, MessageIcon icon,
                   MessageButtons buttons) {
    return QStringList{caption, text, QString::number(int(icon)), QString::number(int(buttons))}
        .join(u'|');
}
inline QStringList messageBoxes(const HeadlessUi& ui) {
    QStringList out;
    for (const UiCall& c : ui.calls(UiCall::Kind::MessageBox))
        out << box(c.caption, c.text, c.icon, c.buttons);
    return out;
}

} // namespace ModuleTest

struct ModuleFixture {
    HeadlessUi ui;
    std::unique_ptr<TdmDataSets> dm;

    explicit ModuleFixture(const QString& dictionaryFolder = QStringLiteral(TOPAZ_EXAMPLES)) {
        DataModuleOptions options;
        options.folderSources =
            HostEnv::HostFolderSources{[dictionaryFolder] { return dictionaryFolder; },
                                       [] { return QString(); }, [] { return QString(); }};
        dm = TdmDataSets::create(ui, options);
    }

    DataSet& t(const char* name) const { return dm->table(QString::fromUtf8(name)); }
    Field& f(const char* table, const char* field) const {
        return t(table).field(QString::fromUtf8(field));
    }

    std::function<bool(const QString&)> step; // a unit's own script steps: true when taken

    // Runs a script of what a user enters; lines starting with "?" are checks (see holds) and the
    // first that fails fails the test, naming itself.
    void play(const QStringList& script) {
        for (const QString& line : script) {
            if (line.startsWith(u'?'))
                QVERIFY2(holds(line.mid(1)), qPrintable(line));
            else
                act(line);
            if (QTest::currentTestFailed()) return;
        }
    }

    // "T.f=v" assigns to the current row of table T, starting an edit (dates as yyyy-MM-dd, an
    // empty value clears all but a text); "+T" appends a row, "T@id" goes to the row with that Id,
    // and either followed by ": f=v; g=w" assigns the values and posts; "goto T n" goes to the n-th
    // row; "insert T", "post T", "delete T", "cancel T", "open T", "disable T" and "enable T" (its
    // controls); "pwd CODES..." sets the implementation path; "gate" runs the dictionary gate;
    // "loading", "loaded", "changed"; "answer yes|no" queues the answer to a question. A leading
    // "!" expects the step to be refused (the post, the path, the gate).
    void act(QString line) {
        if (step && step(line)) return;
        static const QRegularExpression rowLine(
            QStringLiteral(R"(^(\+?)(\w+)(?:@(\d+))?(?:: (.*))?$)"));
        const bool refused = line.startsWith(u'!');
        if (refused) line.remove(0, 1);
        const QString verb = line.section(u' ', 0, 0), rest = line.section(u' ', 1);
        const QRegularExpressionMatch m = rowLine.match(line);
        bool ok = true;
        if (verb == u"post") {
            ok = dm->table(rest).post();
        } else if (verb == u"insert") {
            ok = dm->table(rest).insert();
        } else if (verb == u"delete") {
            ok = dm->table(rest).deleteRecord();
        } else if (verb == u"cancel") {
            dm->table(rest).cancel();
        } else if (verb == u"open") {
            dm->table(rest).open();
        } else if (verb == u"disable" || verb == u"enable") { // as a restructuring rule does
            verb == u"disable" ? dm->table(rest).disableControls()
                               : dm->table(rest).enableControls();
        } else if (verb == u"pwd") {
            const QStringList c = rest.split(u' ') + QStringList(3, QString());
            ok = dm->UstawPWD(c[0], c[1], c[2], c[3]);
        } else if (verb == u"goto") {
            dm->table(rest.section(u' ', 0, 0)).setRecNo(rest.section(u' ', 1).toInt());
        } else if (verb == u"answer") {
            ui.queueAnswer(rest == u"yes" ? MessageResult::Yes : MessageResult::No);
        } else if (line == u"gate") {
            ok = dm->SprawdzSlownik();
        } else if (line == u"loading" || line == u"loaded") {
            dm->Wczytywanie = line == u"loading";
        } else if (line == u"changed") {
            dm->Zmieniony = true;
        } else if (m.hasMatch()) {
            DataSet& ds = dm->table(m.captured(2));
            if (!m.captured(1).isEmpty()) ok = ds.append();
            if (!m.captured(3).isEmpty())
                ok = ds.locate(QStringLiteral("Id"), m.captured(3).toInt());
            if (ok && !m.captured(4).isEmpty()) {
                for (const QString& a : m.captured(4).split(QStringLiteral("; ")))
                    assign(ds, a.section(u'=', 0, 0), a.section(u'=', 1));
                ok = ds.post();
            }
        } else {
            assign(dm->table(line.section(u'.', 0, 0)), line.section(u'=', 0, 0).section(u'.', 1),
                   line.section(u'=', 1));
        }
        QVERIFY2(ok != refused, qPrintable(line));
    }

    static void assign(DataSet& ds, const QString& name, const QString& v) {
        if (!ds.isEditing()) ds.edit();
        Field& fd = ds.field(name);
        if (v.isEmpty() && fd.type() != FieldType::String)
            fd.clear();
        else
            fd.setValue(fd.type() == FieldType::Date ? QVariant(QDate::fromString(v, Qt::ISODate))
                                                     : QVariant(v));
    }

    // "[!]enabled T.f", "[!]readonly T.f", "format T.f=pattern", "[!]active T", "[!]editing T",
    // "[!]changed", "[!]warning" (of the last validation), "same T.f=g" (equal values), "values
    // T.f=a b" (the visible values, sorted), "column T.f,g=a|b" (in table order, the fields of a
    // row run together), "recno T=n", "shown a|b" (the texts shown to the user), "focus f|g" (the
    // fields focused), "T#rows", "T.f=text" or "[!]T.f" (empty); "T@id.f" reads the row with that
    // Id.
    bool holds(QString check) const {
        const bool negated = check.startsWith(u'!');
        if (negated) check.remove(0, 1);
        const QString verb = check.section(u' ', 0, 0), what = check.section(u' ', 1);
        const QString ref = what.section(u'=', 0, 0), value = check.section(u'=', 1);
        auto t = [&]() -> DataSet& { return dm->table(ref.section(u'.', 0, 0)); };
        auto field = [&]() -> Field& { return t().field(ref.section(u'.', 1)); };
        bool result;
        if (verb == u"enabled")
            result = ui.isControlEnabled(what.section(u'.', 0, 0), what.section(u'.', 1));
        else if (verb == u"readonly")
            result = field().isReadOnly();
        else if (verb == u"format")
            result = field().displayFormat() == value;
        else if (verb == u"active")
            result = t().isActive();
        else if (verb == u"editing")
            result = t().isEditing();
        else if (verb == u"recno")
            result = t().recNo() == value.toInt();
        else if (verb == u"values" || verb == u"column") {
            QStringList v;
            for (const QString& name : ref.section(u'.', 1).split(u',')) {
                const QStringList c = ModuleTest::column(t(), name);
                v.resize(c.size());
                for (qsizetype i = 0; i < c.size(); ++i)
                    v[i] += c[i];
            }
            if (verb == u"values") v.sort();
            result = v.join(verb == u"values" ? u' ' : u'|') == value;
        } else if (verb == u"shown")
            result = ui.shownTexts().join(u'|') == what;
        else if (verb == u"boxes")
            result = ModuleTest::messageBoxes(ui).join(u'\n') == what;
        else if (verb == u"focus") {
            QStringList fields;
            for (const UiCall& c : ui.calls(UiCall::Kind::FocusControl))
                fields << c.field;
            result = fields.join(u'|') == what;
        } else if (verb == u"changed")
            result = dm->Zmieniony;
        else if (verb == u"warning")
            result = dm->ValidationWarning;
        else if (verb == u"same")
            result = field().value() == t().field(value).value();
        else
            return holdsValue(check) != negated;
        return result != negated;
    }

    // "T#rows", "T.f=text", "T.f" (empty), "T@id.f=text", "T@id.f" (empty).
    bool holdsValue(const QString& check) const {
        if (check.contains(u'#'))
            return dm->table(check.section(u'#', 0, 0)).recordCount() ==
                   check.section(u'#', 1).toInt();
        const QString ref = check.section(u'=', 0, 0), table = ref.section(u'.', 0, 0);
        const QString name = ref.section(u'.', 1);
        DataSet& t = dm->table(table.section(u'@', 0, 0));
        if (!table.contains(u'@'))
            return check.contains(u'=') ? t.field(name).asString() == check.section(u'=', 1)
                                        : t.field(name).isNull();
        const QVariant v = t.lookup(QStringLiteral("Id"), table.section(u'@', 1).toInt(), name);
        return check.contains(u'=') ? v.toString() == check.section(u'=', 1) : !v.isValid();
    }
};

// A stage of the project from March 2006 to June 2007; its planned-expenditure rows follow.
inline void addStage(ModuleFixture& fx, const char* name) {
    DataSet& stages = fx.t("dsEtapyRealizacji");
    stages.append();
    stages.field(QStringLiteral("ZAKRES_PRAC")).setValue(QString::fromUtf8(name));
    stages.field(QStringLiteral("TERMIN_ROZP")).setValue(QDate(2006, 3, 1));
    stages.field(QStringLiteral("TERMIN_ZAK")).setValue(QDate(2007, 6, 1));
    QVERIFY(stages.post());
}
