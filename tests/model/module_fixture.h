#pragma once

// A data module built for a test: the sample dictionary from examples/ (or a folder the
// test names), a HeadlessUi that records every message; helpers to fill and read tables.
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <QDate>
#include <QTest>

#include <memory>

// Helpers of the model and validation units, in a namespace of their own so that other
// units including this fixture keep their own names.
namespace ModuleTest {

inline QString u(const char* s) {
    return QString::fromUtf8(s);
}

// The values of one field in every visible row, in table order.
inline QStringList column(const DataSet& t, const QString& field) {
    QStringList out;
    for (int i = 1; i <= t.recordCount(); ++i)
        out << t.valueAt(i, t.field(field)).toString();
    return out;
}

using Values = QList<std::pair<const char*, QVariant>>;

// Puts values into the current row of a table (a new row when it has none) and posts, as
// the editor does.
inline void set(DataSet& t, const Values& values) {
    t.edit();
    for (const auto& [name, value] : values)
        t.field(QLatin1String(name)).setValue(value);
    t.post();
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
