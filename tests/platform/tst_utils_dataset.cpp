#include <QtTest>

#include "platform/dataset/dataset.h"
#include "platform/dataset/datasource.h"
#include "platform/utils/datasetscans.h"
#include "platform/utils/dictionaryfilter.h"

#include <memory>

using namespace Utils;

namespace {

FieldDef def(const char* name, FieldType type, int size = 0, bool required = false) {
    FieldDef d;
    d.name = QLatin1String(name);
    d.type = type;
    d.size = size;
    d.required = required;
    return d;
}

// A table with a text field VAL and a float field NUM; values go into the named field.
std::unique_ptr<DataSet> tableWith(const QString& fieldName, const QStringList& values) {
    auto ds = std::make_unique<DataSet>(QStringLiteral("dsTest"));
    ds->addField(def("VAL", FieldType::String, 20));
    ds->addField(def("NUM", FieldType::Float));
    ds->open();
    for (const QString& v : values) {
        ds->append();
        ds->field(fieldName).setAsString(v);
        ds->post();
    }
    ds->first(); // a walk that forgot to come back would end on a later row
    return ds;
}

// Counts what bound controls would have been told.
struct Recorder : DataSetObserver {
    int moves = 0;
    int resets = 0;
    void currentMoved(DataSet&) override { ++moves; }
    void dataSetReset(DataSet&) override { ++resets; }
};

std::unique_ptr<DataSet> nuts3() {
    auto ds = std::make_unique<DataSet>(QStringLiteral("sl_NUTS3"));
    ds->addField(def("ID", FieldType::Integer, 0, true));
    ds->addField(def("PARENT_ID", FieldType::Integer));
    ds->addField(def("NAZWA", FieldType::String, 120));
    ds->open();
    const struct {
        int id, parent;
        const char* name;
    } rows[] = {
        {101, 14, "powiat bialski"}, {102, 14, "powiat chełmski"}, {201, 16, "powiat brzeski"}};
    for (const auto& r : rows) {
        ds->append();
        ds->field(QStringLiteral("ID")).setValue(r.id);
        ds->field(QStringLiteral("PARENT_ID")).setValue(r.parent);
        ds->field(QStringLiteral("NAZWA")).setValue(QString::fromUtf8(r.name));
        ds->post();
    }
    return ds;
}

QStringList visibleNames(DataSet& ds) {
    QStringList names;
    const Field& f = ds.field(QStringLiteral("NAZWA"));
    for (int i = 1; i <= ds.recordCount(); ++i)
        names << ds.valueAt(i, f).toString();
    return names;
}

} // namespace

class TestUtilsDataSet : public QObject {
    Q_OBJECT
private:
    // Every scan leaves the table where it was and its controls enabled.
    static void verifyRestored(const DataSet& ds, int recNo) {
        QCOMPARE(ds.recNo(), recNo);
        QVERIFY(!ds.controlsDisabled());
    }

private slots:
    void anyRowEmpty_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("expected");
        QTest::newRow("all filled") << QStringList{"a", "b", "c"} << "VAL" << false;
        QTest::newRow("empty in the middle") << QStringList{"a", "", "c"} << "VAL" << true;
        QTest::newRow("blanks only count as empty")
            << QStringList{"a", "b", "   "} << "VAL" << true;
        QTest::newRow("null number") << QStringList{"1", ""} << "NUM" << true;
        QTest::newRow("empty table") << QStringList{} << "VAL" << true;
        QTest::newRow("missing field") << QStringList{"a", ""} << "BRAK" << false;
        QTest::newRow("missing field, empty table") << QStringList{} << "BRAK" << true;
    }
    void anyRowEmpty() {
        QFETCH(QStringList, values);
        QFETCH(QString, field);
        QFETCH(bool, expected);
        const QString target =
            field.compare(QLatin1String("NUM")) == 0 ? field : QStringLiteral("VAL");
        auto ds = tableWith(target, values);
        const int before = ds->recNo();
        QCOMPARE(Utils::anyRowEmpty(*ds, field), expected);
        verifyRestored(*ds, before);
    }

    void anyRowWithBadDigits_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("expected");
        QTest::newRow("all right")
            << QStringList{"1234567890", "0987654321"} << "VAL" << 10 << false;
        QTest::newRow("too short") << QStringList{"1234567890", "123456789"} << "VAL" << 10 << true;
        QTest::newRow("letter") << QStringList{"12345678x0"} << "VAL" << 10 << true;
        QTest::newRow("empty is not bad")
            << QStringList{"", "1234567890", " "} << "VAL" << 10 << false;
        QTest::newRow("trimmed before measuring")
            << QStringList{" 1234567890 "} << "VAL" << 10 << false;
        QTest::newRow("empty table") << QStringList{} << "VAL" << 10 << false;
        QTest::newRow("missing field") << QStringList{"x"} << "BRAK" << 10 << false;
    }
    void anyRowWithBadDigits() {
        QFETCH(QStringList, values);
        QFETCH(QString, field);
        QFETCH(int, length);
        QFETCH(bool, expected);
        auto ds = tableWith(QStringLiteral("VAL"), values);
        const int before = ds->recNo();
        QCOMPARE(Utils::anyRowWithBadDigits(*ds, field, length), expected);
        verifyRestored(*ds, before);
    }

    void allRowsZero_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("expected");
        QTest::newRow("all zero") << QStringList{"0", "0,0", "0"} << "NUM" << true;
        QTest::newRow("null counts as zero") << QStringList{"0", ""} << "NUM" << true;
        QTest::newRow("positive last") << QStringList{"0", "0", "0,01"} << "NUM" << false;
        QTest::newRow("negative") << QStringList{"0", "-5"} << "NUM" << false;
        QTest::newRow("empty table") << QStringList{} << "NUM" << true;
        QTest::newRow("missing field") << QStringList{"7"} << "BRAK" << true;
        QTest::newRow("text amount") << QStringList{"0", "12,5"} << "VAL" << false;
    }
    void allRowsZero() {
        QFETCH(QStringList, values);
        QFETCH(QString, field);
        QFETCH(bool, expected);
        auto ds = tableWith(field == QLatin1String("VAL") ? field : QStringLiteral("NUM"), values);
        const int before = ds->recNo();
        QCOMPARE(Utils::allRowsZero(*ds, field), expected);
        verifyRestored(*ds, before);
    }

    void scanRestoresAfterError() {
        auto ds = tableWith(QStringLiteral("VAL"), {"0", "0", "abc", "2"});
        ds->setRecNo(3);
        QVERIFY_THROWS_EXCEPTION(DataSetError, Utils::allRowsZero(*ds, QStringLiteral("VAL")));
        verifyRestored(*ds, 3);
    }

    void scanIsSilentForBoundControls() {
        auto ds = tableWith(QStringLiteral("VAL"), {"a", "b", "c", "d"});
        ds->setRecNo(4);
        Recorder rec;
        ds->addObserver(&rec);
        QVERIFY(!Utils::anyRowEmpty(*ds, QStringLiteral("VAL")));
        ds->removeObserver(&rec);
        QCOMPARE(rec.moves, 0);  // the walk itself is not shown
        QCOMPARE(rec.resets, 1); // one refresh when the controls come back
        verifyRestored(*ds, 4);
    }

    void scanKeepsOuterDisable() {
        auto ds = tableWith(QStringLiteral("VAL"), {"a", ""});
        ds->disableControls();
        QVERIFY(Utils::anyRowEmpty(*ds, QStringLiteral("VAL")));
        QVERIFY(ds->controlsDisabled()); // a caller's own disable stays in force
        ds->enableControls();
        QVERIFY(!ds->controlsDisabled());
    }

    void scanOverFilteredView() {
        auto ds = nuts3();
        ds->setFilter(QStringLiteral("PARENT_ID = 14"));
        ds->setFiltered(true);
        ds->setRecNo(2);
        // the hidden row 201 has a three-digit ID too, but only visible rows count
        QVERIFY(!Utils::anyRowWithBadDigits(*ds, QStringLiteral("ID"), 3));
        QVERIFY(Utils::anyRowWithBadDigits(*ds, QStringLiteral("PARENT_ID"), 3));
        verifyRestored(*ds, 2);
    }

    void dictionaryFilterOn_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("parent 14")
            << "14"
            << "PARENT_ID = 14"
            << QStringList{"powiat bialski", QString::fromUtf8("powiat chełmski")};
        QTest::newRow("parent 16") << "16"
                                   << "PARENT_ID = 16" << QStringList{"powiat brzeski"};
        QTest::newRow("no parent chosen") << ""
                                          << "PARENT_ID = -1" << QStringList{};
        QTest::newRow("unknown parent") << "99"
                                        << "PARENT_ID = 99" << QStringList{};
    }
    void dictionaryFilterOn() {
        QFETCH(QString, value);
        QFETCH(QString, filter);
        QFETCH(QStringList, names);
        auto ds = nuts3();
        // an earlier cascade left another filter behind
        Utils::setDictionaryFilter(*ds, QStringLiteral("PARENT_ID"), QStringLiteral("16"), true);
        Utils::setDictionaryFilter(*ds, QStringLiteral("PARENT_ID"), value, true);
        QCOMPARE(ds->filter(), filter);
        QVERIFY(ds->isFiltered());
        QCOMPARE(visibleNames(*ds), names);
    }

    void dictionaryFilterOffKeepsText() {
        auto ds = nuts3();
        Utils::setDictionaryFilter(*ds, QStringLiteral("PARENT_ID"), QStringLiteral("14"), true);
        QCOMPARE(ds->recordCount(), 2);
        Utils::setDictionaryFilter(*ds, QStringLiteral("PARENT_ID"), QStringLiteral("16"), false);
        QVERIFY(!ds->isFiltered());
        QCOMPARE(ds->filter(), QStringLiteral("PARENT_ID = 14"));
        QCOMPARE(ds->recordCount(), 3);
        ds->setFiltered(true); // switching back on uses the kept text
        QCOMPARE(ds->recordCount(), 2);
    }
};

QTEST_GUILESS_MAIN(TestUtilsDataSet)
#include "tst_utils_dataset.moc"
