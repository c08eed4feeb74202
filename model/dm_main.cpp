#include "model/dm_main.h"

#include "model/catalogue/mapping_rows.h"
#include "model/finance_rules.h"
#include "model/record_rules.h"
#include "model/validation_port.h"

namespace {
const QString kProgramme = QStringLiteral("SPOT");
}

TdmDataSets::TdmDataSets(UserInterface& ui, DataModuleOptions options)
    : TdmDataSets_t(ui, std::move(options)), finance_(std::make_unique<FinanceRules>(*this)),
      records_(std::make_unique<RecordRules>(*this)) {}

TdmDataSets::~TdmDataSets() = default;

void TdmDataSets::attachRules() {
    finance_->attach();
    records_->attach();
}

void TdmDataSets::createTypeState() {
    records_->createMainRecord();
    // The mapping rows are part of the module's design, like the fixed finance rows.
    fillMappingTable(*this);
}

void TdmDataSets::loadWithRulesPaused(const std::function<void()>& load) {
    finance_->WylaczZdarzeniaEtapow();
    struct Resume {
        FinanceRules& f;
        ~Resume() { f.WlaczZdarzeniaEtapow(); }
    } resume{*finance_};
    load();
    DataSet& profil = table(QStringLiteral("dsProfilWyd"));
    DataSet& zrodla = table(QStringLiteral("dsZrodlaFin"));
    finance_->PrzeliczSumy(profil);
    finance_->PrzeliczProcenty(profil);
    finance_->PrzeliczSumy(zrodla);
    finance_->PrzeliczProcenty(zrodla);
}

std::unique_ptr<TdmDataSets> TdmDataSets::create(UserInterface& ui, DataModuleOptions options) {
    std::unique_ptr<TdmDataSets> dm(new TdmDataSets(ui, std::move(options)));
    dm->initialize();
    return dm;
}

bool TdmDataSets::UstawProgram() {
    return UstawPWD(kProgramme);
}

bool TdmDataSets::Validate() {
    return requireValidation().validateType(*this);
}

// The code of the dictionary row that level n of the implementation path points at.
QString TdmDataSets::currentPwdCode(int level) const {
    const Field& key =
        table(QStringLiteral("dsPozWdr")).field(QStringLiteral("PWD_ID%1").arg(level));
    if (key.isNull()) return {};
    return dictionaryTable(QStringLiteral("PWD"), level)
        ->lookup(QStringLiteral("PWD_ID"), key.value(), QStringLiteral("PWD_KOD_ID"))
        .toString();
}

// The first row of level n, from the first row on, under the parent with the code.
bool TdmDataSets::ZnajdzPodpoziom(int level, const QVariant& parentId, const QString& code,
                                  QVariant& id) const {
    DataSet* t = dictionaryTable(QStringLiteral("PWD"), level);
    const Field& parent = t->field(QStringLiteral("PWD_PWD_ID"));
    const Field& kod = t->field(QStringLiteral("PWD_KOD_ID"));
    for (int i = 1; i <= t->recordCount(); ++i) {
        const QVariant p = t->valueAt(i, parent);
        if (p.isValid() && parentId.isValid() && p.toLongLong() == parentId.toLongLong() &&
            t->valueAt(i, kod).toString() == code) {
            id = t->valueAt(i, t->field(QStringLiteral("PWD_ID")));
            return true;
        }
    }
    return false;
}

bool TdmDataSets::UstawPWD(const QString& c1, const QString& c2, const QString& c3,
                           const QString& c4) {
    DataSet& poz = table(QStringLiteral("dsPozWdr"));
    const QString codes[4] = {c1, c2, c3, c4};
    bool unchanged = true;
    for (int n = 1; n <= 4; ++n)
        if (!codes[n - 1].isEmpty() && codes[n - 1] != currentPwdCode(n)) unchanged = false;
    if (unchanged) return true;

    if (poz.state() == DataSetState::Browse) {
        if (poz.isEmpty())
            poz.append();
        else
            poz.edit();
    }
    bool result = true;
    QVariant id = dictionaryTable(QStringLiteral("PWD"), 1)
                      ->lookup(QStringLiteral("PWD_KOD_ID"), c1, QStringLiteral("PWD_ID"));
    if (!id.isValid()) {
        result = false;
    } else {
        poz.field(QStringLiteral("PWD_ID1")).setValue(id);
        poz.field(QStringLiteral("PWD_KOD_ID1")).setValue(c1);
        // Each lower level only when the one above it was given and found.
        for (int n = 2; n <= 4 && !codes[n - 1].isEmpty(); ++n) {
            QVariant child;
            if (!ZnajdzPodpoziom(n, id, codes[n - 1], child)) {
                result = false;
                break;
            }
            id = child;
            poz.field(QStringLiteral("PWD_ID%1").arg(n)).setValue(id);
            poz.field(QStringLiteral("PWD_KOD_ID%1").arg(n)).setValue(codes[n - 1]);
        }
    }
    poz.post();
    Zmieniony = false;
    return result;
}
