#pragma once

class DataSet;
class TdmDataSets;

// The rules of the yearly tables: the two finance trees with their fixed rows, sums and
// percentages, planned expenditure grouped by stage, the stages themselves, indicators
// and revenue.
class FinanceRules {
public:
    explicit FinanceRules(TdmDataSets& dm);

    // Attaches every hook of the tables these rules govern.
    void attach();

    // ---- finance trees (dsZrodlaFin, dsProfilWyd)
    // Sums the siblings of the current row into its parent (or the top-level rows into
    // "OGÓŁEM"); posting the parent carries the sums up the tree.
    void PrzeliczSumy(DataSet& tree);
    // Every row's share of "OGÓŁEM" per shown year and in total.
    void PrzeliczProcenty(DataSet& tree);

    // ---- planned expenditure (dsPlanWydatki) and stages (dsEtapyRealizacji)
    // The empty qualified and non-qualified rows of a new stage.
    void DodajWydatkiEtapu(int stage);
    // Moves the row just inserted to the end of its stage's "T" or "N" rows.
    void PrzesunWstawionyWydatek();
    // Empties the current expenditure row instead of deleting the last of its group.
    void CzyscOstatniWydatek();
    // Whether the stage has expenditure worth asking about before it is deleted.
    bool EtapMaWydatki(int stage) const;
    // No category and 0 in every year (a missing value counts as 0).
    bool WierszWydatkuPusty(int recNo) const;
    // Deletes the stage's expenditure and moves the later stages' rows one stage down.
    void UsunWydatkiEtapu(int stage);
    // Detach and re-attach the before-insert rule of dsPlanWydatki and the before-post
    // rule of dsEtapyRealizacji (around loading a file); calls must be matched.
    void WylaczZdarzeniaEtapow();
    void WlaczZdarzeniaEtapow();

private:
    DataSet& table(const char* name) const;

    void attachFinanceTrees();
    void attachFinanceTree(DataSet& tree);
    void attachExpenditureLists();
    void attachPlannedExpenditure();
    void attachStages();
    void attachIndicators();
    void attachRenumbering();

    void fillFixedRows(DataSet& tree);
    void treeAfterPost(DataSet& tree);
    void treeAfterDelete(DataSet& tree);

    bool expenditureBeforeInsert(DataSet& plan);
    bool stageBeforePost(DataSet& stages);
    bool stageBeforeDelete(DataSet& stages);

    TdmDataSets& dm_;
    // How deep the sums are climbing a tree through the parents' after-post rules; only
    // the outermost after-post recomputes the percentages, once the sums are final.
    int sumDepth_ = 0;
};
