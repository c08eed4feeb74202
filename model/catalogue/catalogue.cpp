#include "model/catalogue/catalogue.h"

#include "model/catalogue/table_fields.h"

#include <deque>
#include <vector>

namespace {

// The field lists are built once; the deque keeps every list in place, so the spans of
// the table descriptions stay valid for the program's life.
class SectionCatalogue {
public:
    SectionCatalogue() {
        using namespace CatalogueTables;
        main_ = {"dsWniosek", Level::Base, keep(wniosek())};
        add("dsBeneficjent", Level::Base, beneficjent());
        add("dsOsobyUpow", Level::Base, osobyUpow());
        add("dsInstytucje", Level::Base, instytucje());
        add("dsPozWdr", Level::Base, pozWdr());
        add("dsKatInt", Level::Base, katInt());
        add("dsLokalizacja", Level::Base, lokalizacja());
        add("dsProdukty", Level::Base, indicator("Produkt"));
        add("dsRezultaty", Level::Base, indicator("Rezultat"));
        add("dsOddz", Level::Base, indicator("Oddzialywanie"));
        add("dsKatPrzych", Level::Base, katPrzych());
        add("dsZrodlaFin", Level::Base, zrodlaFin());
        add("dsProfilWyd", Level::Base, profilWyd());
        add("dsEtapyRealizacji", Level::Type, etapyRealizacji());
        add("dsPlanWydatki", Level::Type, planWydatki());
        add("dsPomocPub", Level::Base, pomocPub());
        add("dsZamPub", Level::Type, zamPub());
        add("dsPolaSpec", Level::Type, polaSpec());
        add("dsWydatkiKw", Level::Base, wydatki());
        add("dsWydatkiNKw", Level::Base, wydatki());
        add("dsCalkKoszt", Level::Base, calkKoszt());
        add("Mapowanie", Level::Base, mapowanie());
        add("tabMapZrodlaFin", Level::Base, tabMapZrodlaFin());
        add("tabMapowanie", Level::Type, tabMapowanie());
    }

    const TableSpec& mainRecord() const { return main_; }
    std::span<const TableSpec> sections() const { return sections_; }

private:
    std::span<const FieldSpec> keep(std::vector<FieldSpec> fields) {
        lists_.push_back(std::move(fields));
        return lists_.back();
    }
    void add(const char* name, Level level, std::vector<FieldSpec> fields) {
        sections_.push_back({name, level, keep(std::move(fields))});
    }

    std::deque<std::vector<FieldSpec>> lists_;
    TableSpec main_{};
    std::vector<TableSpec> sections_;
};

const SectionCatalogue& catalogue() {
    static const SectionCatalogue instance;
    return instance;
}

QString text(const char* s) {
    return s ? QString::fromUtf8(s) : QString();
}

} // namespace

namespace Catalogue {

std::span<const TableSpec> sectionTables() {
    return catalogue().sections();
}

const TableSpec& mainRecord() {
    return catalogue().mainRecord();
}

FieldDef toFieldDef(const FieldSpec& spec) {
    FieldDef def;
    def.name = text(spec.name);
    def.type = spec.type;
    def.size = spec.size;
    def.kind = spec.kind;
    def.required = spec.required;
    // The table library converts the text to the field's type.
    if (spec.defaultValue) def.defaultValue = QVariant(text(spec.defaultValue));
    def.displayFormat = text(spec.displayFormat);
    def.editMask = text(spec.editMask);
    def.displayLabel = text(spec.label);
    def.tag = spec.tag;
    def.keyField = text(spec.keyField);
    def.lookupDataSet = text(spec.lookupTable);
    def.lookupKeyField = text(spec.lookupKey);
    def.lookupResultField = text(spec.lookupResult);
    return def;
}

} // namespace Catalogue
