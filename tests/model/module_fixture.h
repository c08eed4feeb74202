#pragma once

// A data module built for a test: the sample dictionary from examples/ (or a folder the
// test names), a HeadlessUi that records every message.
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <QDate>
#include <QTest>

#include <memory>

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
