#pragma once

#include "platform/dataset/field.h"

#include <QString>

class DataSet;
class TdmDataSets;

// The rules of every table outside the yearly tables: region and level cascades, the
// main record, month texts, procurement, numbered lists, calculated fields and the
// special fields with the attachment list.
class RecordRules {
public:
    explicit RecordRules(TdmDataSets& dm);

    // Attaches every hook of the tables these rules govern.
    void attach();
    // The last creation step: the one row of dsWniosek with its starting values.
    void createMainRecord();

    // The shared cascade step: puts a browsing table into edit and empties the field
    // unless it is read-only; the emptied field's own rule carries the cascade on.
    void ZerujZalezne(Field& field);
    // A month text X_tmp sets its twin date X to the first day of the month (empty when
    // the text is no month), with the twin's own change rule held off meanwhile.
    void MiesiacNaDate(Field& tmpField);
    // The kind of project decides which "yes" column (works, supplies, services) of the
    // attachment list may be marked; "IN" resets the list to its own set of controls.
    void UstawZalacznikiWgRodzaju(const QString& kind);
    // An attachment flag turned "T" turns the other "T" flags of its attachment to "N".
    void ZmianaPolaZalacznika(Field& flag);

    // Numbering hooks: Lp := rows already posted + 1; renumbering of Lp and Id 1..n.
    static void LpOnInsert(DataSet& table);
    static void LpOnDelete(DataSet& table);
    static void IdOnDelete(DataSet& table);

private:
    // Attachment of the rule families, one per source file.
    void attachRegionCascades();
    void attachImplementationPath();
    void attachMainRecord();
    void attachProcurement();
    void attachNumberedLists();
    void attachCalculatedFields();
    void attachSpecialFields();

    // dsPozWdr: what follows the cascade of PWD_ID2.
    void afterPriorityChanged(Field& pwdId2);
    // dsWniosek rules that need more than a line.
    void otherProgrammesChanged(Field& flag);
    void stateAidNotApplicable(Field& flag);
    void procurementNotApplicable(Field& flag);
    void procurementStarted(Field& flag);
    // dsPolaSpec rules.
    void openSpecialFields(DataSet& polaSpec);
    void otherDocumentsChanged(Field& flag);
    void otherInstitutionsChanged(Field& flag);

    DataSet& table(const char* name) const;
    Field& field(const char* tableName, const char* fieldName) const;
    void onChange(const char* tableName, const char* fieldName, Field::ChangeHook hook);
    void enableControl(const Field& f, bool enabled) const;
    void enableControl(const char* tableName, const char* fieldName, bool enabled) const;

    TdmDataSets& dm_;
};
