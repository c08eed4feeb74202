#include "model/catalogue/catalogue.h"
#include "platform/dataset/dataset.h"

#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

const QStringList kFlagFamilies = {"tab6lprod", "tab6lrez", "tab6ltyp", "tab6m", "tab6n", "tab6o"};
const QStringList kAttachmentCodes = {
    "ZALBIZPL",       "ZALOCSROD",      "ZALPOZBUD",       "ZALWARZAB", "ZALDYSPGR", "ZALDYSPOBTOW",
    "ZALMAPY",        "ZALDOKTECH",     "ZALWSPOLFIN",     "ZALOCFIN",  "ZALBIL",    "ZALRZS",
    "ZALINSZAK",      "ZALWYPKRS",      "ZALKOPUM",        "ZALINDOK",  "ZALZAKZAD", "ZALBMOPV",
    "ZALOSWBENKONTR", "ZALOPISWDRPROJ", "ZALSCHPRZEPLSROD"};

std::vector<const TableSpec*> allTables() {
    std::vector<const TableSpec*> out{&Catalogue::mainRecord()};
    for (const TableSpec& t : Catalogue::sectionTables())
        out.push_back(&t);
    for (const TableSpec& t : Catalogue::dictionaryTables())
        out.push_back(&t);
    return out;
}

const TableSpec* findTable(const QString& name, std::span<const TableSpec> tables) {
    for (const TableSpec& t : tables)
        if (name.compare(QString::fromUtf8(t.name), Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

const TableSpec& table(const QString& name) {
    for (const TableSpec* t : allTables())
        if (name == QString::fromUtf8(t->name)) return *t;
    throw std::runtime_error("no table " + name.toStdString());
}

QStringList fieldNames(const TableSpec& t) {
    QStringList out;
    for (const FieldSpec& f : t.fields)
        out << QString::fromUtf8(f.name);
    return out;
}

const FieldSpec* findSpec(const TableSpec& t, const QString& name) {
    for (const FieldSpec& f : t.fields)
        if (name.compare(QString::fromUtf8(f.name), Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

std::unique_ptr<DataSet> build(const TableSpec& spec) {
    auto ds = std::make_unique<DataSet>(QString::fromUtf8(spec.name));
    for (const FieldSpec& f : spec.fields)
        ds->addField(Catalogue::toFieldDef(f));
    ds->open();
    return ds;
}

// The position of the run of 13 consecutive fields "2004" + suffix ... "2016" + suffix;
// -1 when the run is missing or broken.
int yearRun(const QStringList& names, const QString& suffix) {
    const int start = names.indexOf("2004" + suffix);
    if (start < 0 || start + 13 > names.size()) return -1;
    for (int i = 0; i < 13; ++i)
        if (names[start + i] != QString::number(2004 + i) + suffix) return -1;
    return start;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void tablesInCreationOrder() {
        const QStringList expected = {
            "dsBeneficjent", "dsOsobyUpow",     "dsInstytucje",      "dsPozWdr",      "dsKatInt",
            "dsLokalizacja", "dsProdukty",      "dsRezultaty",       "dsOddz",        "dsKatPrzych",
            "dsZrodlaFin",   "dsProfilWyd",     "dsEtapyRealizacji", "dsPlanWydatki", "dsPomocPub",
            "dsZamPub",      "dsPolaSpec",      "dsWydatkiKw",       "dsWydatkiNKw",  "dsCalkKoszt",
            "Mapowanie",     "tabMapZrodlaFin", "tabMapowanie"};
        QStringList got;
        for (const TableSpec& t : Catalogue::sectionTables())
            got << QString::fromUtf8(t.name);
        QCOMPARE(got, expected);
        QCOMPARE(QString::fromUtf8(Catalogue::mainRecord().name), QString("dsWniosek"));
        QCOMPARE(Catalogue::dictionaryTables().size(), size_t(21));
    }

    // Building a table fails on a name repeated in any letter case.
    void everyTableBuilds_data() {
        QTest::addColumn<QString>("name");
        for (const TableSpec* t : allTables())
            QTest::newRow(t->name) << QString::fromUtf8(t->name);
    }
    void everyTableBuilds() {
        QFETCH(QString, name);
        const TableSpec& spec = table(name);
        std::unique_ptr<DataSet> ds;
        try {
            ds = build(spec);
        } catch (const DataSetError& e) {
            QFAIL(e.what());
        }
        QCOMPARE(size_t(ds->fieldCount()), spec.fields.size());
        // Every default converts to its field's type; required fields are the only ones
        // that must be filled.
        QVERIFY(ds->append());
        for (const FieldSpec& f : spec.fields)
            if (f.required) ds->field(QString::fromUtf8(f.name)).setValue(1);
        ds->post();
        QCOMPARE(ds->recordCount(), 1);
    }

    // Only the tables this type adds are its own, and all their fields are too.
    void tablesOfThisType() {
        const QStringList own = {"dsPolaSpec", "dsEtapyRealizacji", "dsPlanWydatki", "dsZamPub",
                                 "tabMapowanie"};
        for (const TableSpec* t : allTables()) {
            const QString name = QString::fromUtf8(t->name);
            QCOMPARE(t->level == Level::Type, own.contains(name));
            if (t->level == Level::Type)
                for (const FieldSpec& f : t->fields)
                    QVERIFY2(f.level == Level::Type, f.name);
        }
    }

    void yearFlagDefaults_data() {
        QTest::addColumn<QString>("family");
        for (const QString& f : kFlagFamilies)
            QTest::newRow(qPrintable(f)) << f;
    }
    void yearFlagDefaults() {
        QFETCH(QString, family);
        auto ds = build(Catalogue::mainRecord());
        QVERIFY(ds->append());
        for (int year = 2004; year <= 2016; ++year) {
            const QString name = family + QString::number(year) + "v";
            const FieldSpec* spec = findSpec(Catalogue::mainRecord(), name);
            QVERIFY2(spec, qPrintable(name));
            QCOMPARE(spec->size, 1);
            QCOMPARE(spec->kind, FieldKind::Data);
            QCOMPARE(spec->level, year <= 2008 ? Level::Base : Level::Type);
            QCOMPARE(ds->field(name).asString(), QString(year <= 2008 ? "T" : "N"));
        }
    }

    void yearFlagsFollowTheListedFields() {
        const QStringList names = fieldNames(Catalogue::mainRecord());
        static const QRegularExpression flag("^tab6(lprod|lrez|ltyp|m|n|o)\\d{4}v$");
        QCOMPARE(names.filter(flag).size(), 78);
        QStringList expected;
        for (const QString& family : kFlagFamilies)
            for (int year = 2004; year <= 2016; ++year)
                expected << family + QString::number(year) + "v";
        const int first = names.indexOf("harm_okres_rezultat_tmp") + 1;
        QCOMPARE(names.mid(first), expected);
    }

    void mainRecordFields() {
        const TableSpec& w = Catalogue::mainRecord();
        const FieldSpec* opis = findSpec(w, "opis_projektu");
        QVERIFY(opis);
        QCOMPARE(opis->size, 4000);
        QCOMPARE(opis->baseSize, 2000);
        QCOMPARE(findSpec(w, "osw_ben_data")->type, FieldType::Date);
        const FieldSpec* sum = findSpec(w, "suma_kontrolna");
        QCOMPARE(sum->type, FieldType::String);
        QCOMPARE(sum->size, 39);
        // The checksum leaves out itself and the derived period counts.
        QStringList tagged;
        for (const FieldSpec& f : w.fields)
            if (f.tag != 0) tagged << QString::fromUtf8(f.name);
        tagged.sort();
        QCOMPARE(tagged,
                 QStringList({"plan_okres_do_oddania", "plan_okres_finansowej_real",
                              "plan_okres_real", "plan_okres_rzeczowej_real", "suma_kontrolna"}));
    }

    // Defaults arrive, converted to the field's type, when a row is appended.
    void defaultsOnAppend_data() {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("whole country no") << "dsWniosek"
                                          << "lok_caly_kraj" << QVariant("N");
        QTest::newRow("base default dropped") << "dsWniosek"
                                              << "inne_pr_EFRR" << QVariant();
        QTest::newRow("revenue year") << "dsKatPrzych"
                                      << "2016" << QVariant(0.0);
        QTest::newRow("revenue n+5") << "dsKatPrzych"
                                     << "n_5" << QVariant(0.0);
        QTest::newRow("finance year without default") << "dsZrodlaFin"
                                                      << "2004" << QVariant();
        QTest::newRow("profile year without default") << "dsProfilWyd"
                                                      << "2012" << QVariant();
        QTest::newRow("total cost") << "dsCalkKoszt"
                                    << "RAZEM" << QVariant(0.0);
        QTest::newRow("qualified expenditure") << "dsWydatkiKw"
                                               << "2008" << QVariant(0.0);
    }
    void defaultsOnAppend() {
        QFETCH(QString, tableName);
        QFETCH(QString, fieldName);
        QFETCH(QVariant, expected);
        auto ds = build(table(tableName));
        QVERIFY(ds->append());
        QCOMPARE(ds->field(fieldName).value(), expected);
    }

    void attachmentFlags() {
        const TableSpec& spec = table("dsPolaSpec");
        const QStringList names = fieldNames(spec);
        int flags = 0;
        for (const FieldSpec& f : spec.fields)
            if (QString::fromUtf8(f.name).startsWith("ZAL") && f.size == 1) ++flags;
        QCOMPARE(flags, 105);
        QCOMPARE(names.size() - flags, 5); // the single fields
        for (const QString& code : kAttachmentCodes) {
            const QStringList order = code == "ZALZAKZAD"
                                          ? QStringList{"RT", "UT", "DT", "N", "ND"}
                                          : QStringList{"RT", "DT", "UT", "N", "ND"};
            const int at = names.indexOf(code + "RT");
            QVERIFY2(at >= 0, qPrintable(code));
            for (int i = 0; i < 5; ++i)
                QCOMPARE(names.value(at + i), code + order[i]);
        }
        // The groups keep the order of the codes.
        int last = -1;
        for (const QString& code : kAttachmentCodes) {
            QVERIFY(names.indexOf(code + "RT") > last);
            last = names.indexOf(code + "RT");
        }
    }

    void singleFieldsAmongTheAttachments() {
        const QStringList names = fieldNames(table("dsPolaSpec"));
        QCOMPARE(names.mid(0, 2), QStringList({"CZYWYSTINNEINS", "INNEPODZAANOP"}));
        const int after = names.indexOf("ZALBMOPVND") + 1;
        QCOMPARE(names.mid(after, 4), QStringList({"ZALWYKINNEDOK", "ZAMPON6000EURO",
                                                   "ADRESAT_WNIOSKU", "ZALOSWBENKONTRRT"}));
    }

    void yearColumns_data() {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<bool>("allOfType");
        QTest::addColumn<QString>("format");
        QTest::newRow("products") << "dsProdukty" << false << "###,###,###,##0";
        QTest::newRow("results") << "dsRezultaty" << false << "###,###,###,##0";
        QTest::newRow("impacts") << "dsOddz" << false << "###,###,###,##0";
        QTest::newRow("revenue") << "dsKatPrzych" << false << "###,###,###,##0.00";
        QTest::newRow("finance") << "dsZrodlaFin" << false << "###,###,###,##0.00";
        QTest::newRow("profile") << "dsProfilWyd" << false << "###,###,###,##0.00";
        QTest::newRow("planned") << "dsPlanWydatki" << true << "";
    }
    void yearColumns() {
        QFETCH(QString, tableName);
        QFETCH(bool, allOfType);
        QFETCH(QString, format);
        const TableSpec& spec = table(tableName);
        const int start = yearRun(fieldNames(spec), "");
        QVERIFY(start >= 0);
        for (int i = 0; i < 13; ++i) {
            const FieldSpec& f = spec.fields[size_t(start + i)];
            QCOMPARE(f.type, FieldType::Float);
            QCOMPARE(f.kind, FieldKind::Data);
            QCOMPARE(f.level, (allOfType || 2004 + i > 2008) ? Level::Type : Level::Base);
            QCOMPARE(QString::fromUtf8(f.displayFormat), format);
        }
    }

    void financePercentages_data() {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<bool>("percentagesOfType");
        QTest::addColumn<QString>("totalLabel");
        QTest::newRow("sources") << "dsZrodlaFin" << false << "PLN";
        QTest::newRow("profile") << "dsProfilWyd" << true << "SUMA";
    }
    void financePercentages() {
        QFETCH(QString, tableName);
        QFETCH(bool, percentagesOfType);
        QFETCH(QString, totalLabel);
        const TableSpec& spec = table(tableName);
        const QStringList names = fieldNames(spec);
        const int start = yearRun(names, "_pr");
        QVERIFY(start >= 0);
        QCOMPARE(names.value(start + 13), QString("Razem_pr"));
        QCOMPARE(names.value(start - 1), QString("RAZEM"));
        QCOMPARE(QString::fromUtf8(findSpec(spec, "RAZEM")->label), totalLabel);
        for (int i = 0; i <= 13; ++i) {
            const FieldSpec& f = spec.fields[size_t(start + i)];
            QCOMPARE(f.kind, FieldKind::Calculated);
            QCOMPARE(QString::fromUtf8(f.label), QString("%"));
            const bool baseYear = i < 5 || i == 13; // 2004-2008 and the total
            QCOMPARE(f.level, (percentagesOfType || !baseYear) ? Level::Type : Level::Base);
        }
    }

    // Every lookup names a key field of its own table and an existing dictionary column.
    void lookupsResolve() {
        const auto dictionaries = Catalogue::dictionaryTables();
        int lookups = 0;
        for (const TableSpec* t : allTables()) {
            for (const FieldSpec& f : t->fields) {
                const bool wired = f.keyField || f.lookupTable || f.lookupKey || f.lookupResult;
                QCOMPARE(wired, f.kind == FieldKind::Lookup);
                if (f.kind != FieldKind::Lookup) continue;
                ++lookups;
                const QString where = QString::fromUtf8(t->name) + "." + QString::fromUtf8(f.name);
                const FieldSpec* key = findSpec(*t, QString::fromUtf8(f.keyField));
                QVERIFY2(key && key->kind == FieldKind::Data, qPrintable(where));
                const TableSpec* dict = findTable(QString::fromUtf8(f.lookupTable), dictionaries);
                QVERIFY2(dict, qPrintable(where));
                QVERIFY2(findSpec(*dict, QString::fromUtf8(f.lookupKey)), qPrintable(where));
                QVERIFY2(findSpec(*dict, QString::fromUtf8(f.lookupResult)), qPrintable(where));
            }
        }
        QVERIFY(lookups > 0);
    }

    // The region lookups get code twins at run time; legal forms do not (no KOD column).
    void regionLookupsPerTable_data() {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<int>("regions");
        QTest::addColumn<int>("legalForms");
        QTest::newRow("applicant") << "dsBeneficjent" << 12 << 2;
        QTest::newRow("institutions") << "dsInstytucje" << 3 << 1;
        QTest::newRow("authorised") << "dsOsobyUpow" << 3 << 0;
    }
    void regionLookupsPerTable() {
        QFETCH(QString, tableName);
        QFETCH(int, regions);
        QFETCH(int, legalForms);
        int withCode = 0, withoutCode = 0;
        for (const FieldSpec& f : table(tableName).fields) {
            if (f.kind != FieldKind::Lookup) continue;
            const TableSpec* dict =
                findTable(QString::fromUtf8(f.lookupTable), Catalogue::dictionaryTables());
            QVERIFY(dict);
            ++(findSpec(*dict, "KOD") ? withCode : withoutCode);
        }
        QCOMPARE(withCode, regions);
        QCOMPARE(withoutCode, legalForms);
    }

    // The wiring survives the conversion: a built table reads its dictionary.
    void lookupReadsTheDictionary() {
        auto nuts2 = build(table("sl_NUTS2"));
        QVERIFY(nuts2->append());
        nuts2->field("ID").setValue(14);
        nuts2->field("KOD").setValue("14");
        nuts2->field("NAZWA").setValue("MAZOWIECKIE");
        nuts2->post();
        auto beneficiary = build(table("dsBeneficjent"));
        beneficiary->setTableResolver([&](const QString& n) {
            return n.compare("sl_NUTS2", Qt::CaseInsensitive) == 0 ? nuts2.get() : nullptr;
        });
        QVERIFY(beneficiary->append());
        beneficiary->field("ADR_WOJ_ID").setValue(14);
        QCOMPARE(beneficiary->field("lkp_adr_woj").asString(), QString("MAZOWIECKIE"));
        QVERIFY(beneficiary->findField("ADR_GM_ID"));
        QCOMPARE(beneficiary->findField("ADR_GM_ID")->name(), QString("adr_gm_id"));
    }

    void convertsEveryAttribute() {
        const FieldSpec* kod = findSpec(table("dsBeneficjent"), "adr_kod");
        const FieldDef def = Catalogue::toFieldDef(*kod);
        QCOMPARE(def.name, QString("adr_kod"));
        QCOMPARE(def.size, 6);
        QCOMPARE(def.editMask, QString("00-000;1;_"));
        QCOMPARE(def.displayLabel, QString("Kod"));
        const FieldDef id = Catalogue::toFieldDef(*findSpec(table("dsZrodlaFin"), "Id"));
        QVERIFY(id.required);
        QCOMPARE(id.displayLabel, QString("Lp."));
        QVERIFY(!id.defaultValue.isValid());
        const FieldDef lookup = Catalogue::toFieldDef(*findSpec(table("dsPozWdr"), "PWD_KOD_ID2"));
        QCOMPARE(lookup.kind, FieldKind::Lookup);
        QCOMPARE(lookup.keyField, QString("PWD_ID2"));
        QCOMPARE(lookup.lookupDataSet, QString("sl_PWD2"));
        QCOMPARE(lookup.lookupKeyField, QString("PWD_ID"));
        QCOMPARE(lookup.lookupResultField, QString("PWD_KOD_ID"));
    }

    // The declared filter of a flat list is accepted by the table and lets the listed codes
    // through.
    void declaredFilters_data() {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("visible");
        QTest::newRow("intervention") << "sl_INT1"
                                      << "KOD" << QStringList{"1", "3", "4", "34"} << 2;
        QTest::newRow("environment") << "sl_WNS1"
                                     << "WARTOSC" << QStringList{"PPS", "POS", "GPS", "PPS2"} << 3;
        QTest::newRow("equality") << "sl_RPC1"
                                  << "WARTOSC" << QStringList{"A", "B", "C", "A2"} << 3;
        QTest::newRow("procurement")
            << "sl_ZPU1"
            << "WARTOSC" << QStringList{"PN", "PO", "NZO", "NBO", "ZOC", "ZWR", "AEL", "XX"} << 7;
    }
    void declaredFilters() {
        QFETCH(QString, tableName);
        QFETCH(QString, column);
        QFETCH(QStringList, values);
        QFETCH(int, visible);
        const char* text = Catalogue::declaredDictionaryFilter(qPrintable(tableName.toUpper()));
        QVERIFY(text);
        auto ds = build(table(tableName));
        int id = 0;
        for (const QString& v : values) {
            QVERIFY(ds->append());
            if (ds->findField("ID")) ds->field("ID").setValue(++id);
            ds->field(column).setValue(v);
            ds->post();
        }
        ds->setFilter(QString::fromUtf8(text));
        ds->setFiltered(true);
        QCOMPARE(ds->recordCount(), visible);
    }

    void listsWithoutDeclaredFilter() {
        for (const char* name :
             {"sl_RPR1", "sl_UPR1", "sl_FPR1", "sl_NUTS2", "dsWniosek", "nieznana"})
            QVERIFY2(!Catalogue::declaredDictionaryFilter(name), name);
        QVERIFY(!Catalogue::declaredDictionaryFilter(nullptr));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
