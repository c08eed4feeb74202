#pragma once

#include "model/catalogue/catalogue.h"
#include "platform/dataset/dataset.h"
#include "platform/dataset/datasource.h"
#include "platform/hostenv/hostfolder.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class UserInterface;
class ValidationPort;

// Where the data module finds the host's folder (and so slowniki.xml). The default asks
// the registry, the shared memory and the current folder.
struct DataModuleOptions {
    std::optional<HostEnv::HostFolderSources> folderSources;
    // A module whose dictionaries are taken over instead of reading slowniki.xml again
    // (batch validation loads the dictionary once). It must outlive the creation only.
    const class TdmDataSets_t* dictionarySource = nullptr;
    // The bytes of a dictionary file read instead of slowniki.xml (fuzzing, tests). They
    // must outlive the creation only.
    const QByteArray* dictionaryBytes = nullptr;
};

// The data module of one application, as all application types share it: every table
// with its fields, the dictionaries, the data sources and the module state. The type's
// module (TdmDataSets) derives from it, adds its tables through its catalogue and
// replaces the virtual operations.
class TdmDataSets_t {
public:
    virtual ~TdmDataSets_t();
    TdmDataSets_t(const TdmDataSets_t&) = delete;
    TdmDataSets_t& operator=(const TdmDataSets_t&) = delete;

    // ---- tables, found by name without regard to letter case
    DataSet* findTable(const QString& name) const;
    DataSet& table(const QString& name) const; // throws DataSetError
    // "sl_" + dictionary code + level
    DataSet* dictionaryTable(const QString& code, int level) const;
    const std::vector<std::unique_ptr<DataSet>>& tables() const { return tables_; }
    DataSource* findDataSource(const QString& name) const;
    const std::vector<std::unique_ptr<DataSource>>& dataSources() const { return dataSources_; }
    UserInterface& ui() const { return ui_; }

    // ---- module state
    bool Zmieniony = false;         // the user changed data since the last load or save
    bool Wczytywanie = false;       // a bulk load or year change runs; dependent rules pause
    bool BladSlownika = false;      // loading the dictionary file failed
    bool ValidationWarning = false; // the last validation produced a warning finding
    QString WersjaSlownika, DbidSlownika, SidSlownika;                // dictionary in use
    QString WersjaSlownikaPliku, DbidSlownikaPliku, SidSlownikaPliku; // dictionary of the file
    QString dictionaryPath; // the file the dictionaries were read from
    // Set when the temporary copy of the dictionary could not be made: the host is asked
    // to end the program.
    bool HostTerminationRequested = false;

    // Called by the data sources' data-change reaction; the editor connects it to the
    // enabling of its validation action.
    std::function<void()> onDataChangeWhileEditing;

    // ---- validation, plugged in from above: Validate runs the port; without one it
    // throws DataSetError (a failed validation for its callers).
    void plugValidation(std::unique_ptr<ValidationPort> port);
    ValidationPort* validation() const { return validation_.get(); }

    // ---- virtual operations, in their slot order
    virtual bool Validate();     // whole-application validation
    virtual bool UstawProgram(); // puts the application's programme into dsPozWdr

    // ---- dictionaries
    bool SprawdzSlownik(); // the dictionary gate
    // Reads the dictionary anew from bytes, as from the file (the fuzzing of the loader
    // reuses one module so).
    void reloadDictionaries(const QByteArray& bytes);

protected:
    TdmDataSets_t(UserInterface& ui, DataModuleOptions options);

    // Builds the module: tables and data sources from the catalogue, the rules, every
    // table opened (open hooks run), then the base creation and the type's creation.
    void initialize();

    // Which catalogue entries this level of the module declares: the base module only
    // the base ones; the type's module the type's fields and tables as well.
    virtual bool declares(Level level) const { return level == Level::Base; }
    virtual void attachRules() {}
    virtual void createTypeState() {}

    ValidationPort& requireValidation() const;

    // Replaces a dictionary filter and switches it on.
    void replaceDictionaryFilter(const QString& table, const QString& filter);

private:
    void createTable(const TableSpec& spec);
    void createDataSources();
    void DataModuleCreate();
    void DodajPolaKodow();
    QString KatalogSlownika() const;
    void WczytajSlowniki();
    void readDictionaryFile();
    void takeDictionariesFrom(const TdmDataSets_t& source);

    UserInterface& ui_;
    DataModuleOptions options_;
    std::vector<std::unique_ptr<DataSet>> tables_;
    QHash<QString, DataSet*> tablesByName_;         // lower-case names
    QHash<QString, DataSet*> tablesByDeclaredName_; // names as declared
    std::vector<std::unique_ptr<DataSource>> dataSources_;
    std::unique_ptr<ValidationPort> validation_;
};
