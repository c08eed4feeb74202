#include "model/dm_main_tmpl.h"

#include "model/validation_port.h"
#include "platform/ui/userinterface.h"

namespace {

// Tables whose data source marks the application as changed when a post writes edited
// values; the data-change reaction also serves dsPolaSpec and dsEtapyRealizacji.
const char* const kUpdateReactionTables[] = {
    "dsProdukty",  "dsRezultaty", "dsOddz",       "dsPomocPub",   "dsZrodlaFin",   "dsLokalizacja",
    "dsPozWdr",    "dsKatInt",    "dsKatPrzych",  "dsInstytucje", "dsBeneficjent", "dsWniosek",
    "dsProfilWyd", "dsWydatkiKw", "dsWydatkiNKw", "dsCalkKoszt",  "dsOsobyUpow"};
const char* const kDataChangeOnlyTables[] = {"dsPolaSpec", "dsEtapyRealizacji"};

// The name of a table's data source: "dsr" + the table name without its "ds" prefix;
// dictionary tables "dsr_sl_" + code and level, with the four names the forms use.
QString dataSourceName(const QString& table) {
    if (table == QLatin1String("sl_RPR1")) return QStringLiteral("dsrRPR");
    if (table == QLatin1String("sl_RPC1")) return QStringLiteral("dsr_RPC1");
    if (table == QLatin1String("sl_KWD1")) return QStringLiteral("dsr_sl_KWD");
    if (table == QLatin1String("sl_KWP1")) return QStringLiteral("dsr_sl_KWP");
    if (table.startsWith(QLatin1String("sl_"))) return QStringLiteral("dsr_") + table;
    if (table.startsWith(QLatin1String("ds"))) return QStringLiteral("dsr") + table.mid(2);
    return QStringLiteral("dsr") + table;
}

} // namespace

TdmDataSets_t::TdmDataSets_t(UserInterface& ui, DataModuleOptions options)
    : ui_(ui), options_(std::move(options)) {}

TdmDataSets_t::~TdmDataSets_t() {
    // Data sources go first: they observe the tables.
    dataSources_.clear();
    tables_.clear();
}

// ---------------------------------------------------------------- lookup of tables

DataSet* TdmDataSets_t::findTable(const QString& name) const {
    // Most callers spell the name as declared: that lookup needs no lower-case copy.
    if (DataSet* t = tablesByDeclaredName_.value(name, nullptr)) return t;
    return tablesByName_.value(name.toLower(), nullptr);
}

DataSet& TdmDataSets_t::table(const QString& name) const {
    DataSet* t = findTable(name);
    if (!t)
        throw DataSetError(QStringLiteral("Moduł danych nie ma tabeli %1").arg(name).toStdString());
    return *t;
}

DataSet* TdmDataSets_t::dictionaryTable(const QString& code, int level) const {
    return findTable(QStringLiteral("sl_") + code + QString::number(level));
}

DataSource* TdmDataSets_t::findDataSource(const QString& name) const {
    for (const auto& d : dataSources_)
        if (d->name().compare(name, Qt::CaseInsensitive) == 0) return d.get();
    return nullptr;
}

// ---------------------------------------------------------------- creation

void TdmDataSets_t::createTable(const TableSpec& spec) {
    if (!declares(spec.level)) return;
    auto t = std::make_unique<DataSet>(QString::fromLatin1(spec.name));
    for (const FieldSpec& f : spec.fields) {
        if (!declares(f.level)) continue;
        FieldDef def = Catalogue::toFieldDef(f);
        // A field the type enlarges keeps its base size in the base module.
        if (f.baseSize > 0 && !declares(Level::Type)) def.size = f.baseSize;
        t->addField(def);
    }
    t->setTableResolver([this](const QString& n) { return findTable(n); });
    tablesByName_.insert(t->name().toLower(), t.get());
    tablesByDeclaredName_.insert(t->name(), t.get());
    tables_.push_back(std::move(t));
}

void TdmDataSets_t::createDataSources() {
    for (const auto& t : tables_)
        dataSources_.push_back(std::make_unique<DataSource>(dataSourceName(t->name()), t.get()));
    auto markChanged = [this](DataSource&) { Zmieniony = true; };
    auto dataChanged = [this](DataSource&, Field*) {
        if (onDataChangeWhileEditing) onDataChangeWhileEditing();
    };
    for (const char* name : kUpdateReactionTables) {
        if (DataSet* t = findTable(QLatin1String(name))) {
            DataSource* d = findDataSource(dataSourceName(t->name()));
            d->onUpdateData = markChanged;
            d->onDataChange = dataChanged;
        }
    }
    for (const char* name : kDataChangeOnlyTables) {
        if (DataSet* t = findTable(QLatin1String(name)))
            findDataSource(dataSourceName(t->name()))->onDataChange = dataChanged;
    }
}

void TdmDataSets_t::initialize() {
    createTable(Catalogue::mainRecord());
    for (const TableSpec& spec : Catalogue::sectionTables())
        createTable(spec);
    for (const TableSpec& spec : Catalogue::dictionaryTables())
        createTable(spec);
    for (const TableSpec& spec : Catalogue::dictionaryTables()) {
        if (const char* f = Catalogue::declaredDictionaryFilter(spec.name)) {
            DataSet& t = table(QLatin1String(spec.name));
            t.setFilter(QString::fromUtf8(f));
            t.setFiltered(true);
        }
    }
    createDataSources();
    attachRules();
    // Every table starts open and empty; the open hooks fill the fixed rows.
    for (const auto& t : tables_)
        t->open();
    DataModuleCreate();
    createTypeState();
}

void TdmDataSets_t::replaceDictionaryFilter(const QString& name, const QString& filter) {
    DataSet& t = table(name);
    t.setFiltered(false);
    t.setFilter(filter);
    t.setFiltered(true);
}

// The "_kodRT" twins: every lookup field of the person tables whose dictionary table has
// a KOD column gets a second lookup returning that code (the printed form reads them).
void TdmDataSets_t::DodajPolaKodow() {
    const char* const personTables[] = {"dsBeneficjent",     "dsInstytucje", "dsOsobyUpow",
                                        "dsOsobyKontaktowe", "dsPartnerzy",  "dsRealizatorzy"};
    for (const char* name : personTables) {
        DataSet* t = findTable(QLatin1String(name));
        if (!t) continue;
        t->open();
        for (int i = t->fieldCount() - 1; i >= 0; --i) {
            const Field& f = t->fieldAt(i);
            if (f.kind() != FieldKind::Lookup || f.name().contains(QLatin1String("_kodRT")))
                continue;
            const DataSet* dict = findTable(f.definition().lookupDataSet);
            if (!dict || !dict->findField(QStringLiteral("KOD"))) continue;
            FieldDef twin = f.definition();
            twin.name = f.name() + QStringLiteral("_kodRT");
            twin.lookupResultField = QStringLiteral("KOD");
            twin.displayLabel.clear();
            t->close();
            t->addField(twin);
            t->open();
        }
    }
}

void TdmDataSets_t::plugValidation(std::unique_ptr<ValidationPort> port) {
    validation_ = std::move(port);
}

ValidationPort& TdmDataSets_t::requireValidation() const {
    if (!validation_)
        throw DataSetError(
            QStringLiteral("Walidacja nie została przygotowana (brak okna walidacji)")
                .toStdString());
    return *validation_;
}

bool TdmDataSets_t::Validate() {
    return requireValidation().validateTemplate(*this);
}

bool TdmDataSets_t::UstawProgram() {
    return true;
}
