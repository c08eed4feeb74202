#pragma once

// The data module the benchmarks work on: the sample dictionary of examples/, no host.
#include "model/dm_main.h"
#include "platform/dataset/dataset.h"
#include "platform/ui/userinterface.h"

#include <memory>

inline HostEnv::HostFolderSources sampleFolderSources() {
    return {[] { return QStringLiteral(TOPAZ_EXAMPLES); }, [] { return QString(); },
            [] { return QString(); }};
}

inline std::unique_ptr<TdmDataSets> makeSampleModule(UserInterface& ui) {
    DataModuleOptions options;
    options.folderSources = sampleFolderSources();
    return TdmDataSets::create(ui, options);
}

// Rows under "inne" (Id 10) of a finance tree, each with an amount in every year; `cents`
// gives the amounts a fractional part.
inline void addOwnRows(DataSet& tree, int rows, double cents = 0.0) {
    for (int i = 0; i < rows; ++i) {
        tree.locate(QStringLiteral("Id"), 11);
        tree.insert();
        tree.field(QStringLiteral("par_id")).setValue(10);
        tree.field(QStringLiteral("Zrodlo"))
            .setValue(QStringLiteral("źródło własne %1").arg(i + 1));
        for (int year = 2004; year <= 2016; ++year)
            tree.field(QString::number(year)).setValue(1000.0 + i * 13 + (year - 2004) + cents);
        tree.post();
    }
}
