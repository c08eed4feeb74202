#pragma once

#include "model/dm_main_tmpl.h"

class FinanceRules;
class RecordRules;

// The module's tables and flags at rest (created, or between two files), to put the module
// back as it was: a fuzzing run reads one input after another into one module instead of
// building a module for each.
struct DataModuleSnapshot {
    std::vector<DataSetSnapshot> tables; // in the order of tables()
    bool Zmieniony = false;
    bool BladSlownika = false;
    bool ValidationWarning = false;
    bool HostTerminationRequested = false;
    QString WersjaSlownika, DbidSlownika, SidSlownika;
    QString WersjaSlownikaPliku, DbidSlownikaPliku, SidSlownikaPliku;
    QString dictionaryPath;
    QString KwalifikacjaNowegoWydatku;
};

// The data module of this application type ("SPO Transport / EFRR - Standardowy wniosek"):
// the base module with the type's fields and tables, its programme "SPOT" and its rules.
class TdmDataSets : public TdmDataSets_t {
public:
    // Builds the whole module: tables, rules, dictionaries and the main record.
    static std::unique_ptr<TdmDataSets> create(UserInterface& ui, DataModuleOptions options = {});

    // "T" or "N": what the next planned-expenditure row receives in CZY_KWALIFIKOWANE.
    QString KwalifikacjaNowegoWydatku = QStringLiteral("T");
    // The planned-expenditure row being posted was inserted, not edited.
    bool WstawianieWydatku = false;

    // The rule set of this type through the plugged-in validation; true when no error
    // rule failed, ValidationWarning when a warning rule did.
    bool Validate() override;
    bool UstawProgram() override;
    // Sets the implementation path from codes (empty: not given); false when a given code
    // is not in the dictionary. The row is posted with the levels found so far.
    bool UstawPWD(const QString& c1, const QString& c2 = {}, const QString& c3 = {},
                  const QString& c4 = {});

    // The rules of the yearly tables (finance trees, planned expenditure, indicators,
    // revenue, stages) and of all other records (cascades, main record, numbering,
    // procurement, special fields).
    FinanceRules& finance() const { return *finance_; }
    RecordRules& records() const { return *records_; }

    // The after-load sequence: stage events off, load (the caller raises Wczytywanie),
    // sums and percentages of both finance trees recomputed, stage events on again.
    void loadWithRulesPaused(const std::function<void()>& load);

    // Only at rest: throws DataSetError while a row is being edited.
    DataModuleSnapshot snapshot() const;
    // No rule runs: the tables and flags become what they were, as if newly built.
    void restore(const DataModuleSnapshot& snapshot);

    ~TdmDataSets() override;

protected:
    TdmDataSets(UserInterface& ui, DataModuleOptions options);
    bool declares(Level) const override { return true; }
    void attachRules() override;
    void createTypeState() override;

private:
    QString currentPwdCode(int level) const;
    bool ZnajdzPodpoziom(int level, const QVariant& parentId, const QString& code,
                         QVariant& id) const;

    std::unique_ptr<FinanceRules> finance_;
    std::unique_ptr<RecordRules> records_;
};
