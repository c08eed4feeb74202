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
    // The three scans; values go into the float field NUM when it is scanned, else into VAL.
    void scans_data() {
        QTest::addColumn<QString>("scan");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("expected");
        auto row = [](const char* name, const char* scan, const QStringList& values,
                      const char* field, bool expected) {
            QTest::newRow(name) << scan << values << field << expected;
        };
        row("empty: all filled", "empty", {"a", "b", "c"}, "VAL", false);
        row("empty: in the middle", "empty", {"a", "", "c"}, "VAL", true);
        row("empty: blanks count as empty", "empty", {"a", "b", "   "}, "VAL", true);
        row("empty: null number", "empty", {"1", ""}, "NUM", true);
        row("empty: empty table", "empty", {}, "VAL", true);
        row("empty: missing field", "empty", {"a", ""}, "BRAK", false);
        row("empty: missing field, empty table", "empty", {}, "BRAK", true);
        row("digits: all right", "digits", {"1234567890", "0987654321"}, "VAL", false);
        row("digits: too short", "digits", {"1234567890", "123456789"}, "VAL", true);
        row("digits: letter", "digits", {"12345678x0"}, "VAL", true);
        row("digits: empty is not bad", "digits", {"", "1234567890", " "}, "VAL", false);
        row("digits: trimmed first", "digits", {" 1234567890 "}, "VAL", false);
        row("digits: empty table", "digits", {}, "VAL", false);
        row("digits: missing field", "digits", {"x"}, "BRAK", false);
        row("zero: all zero", "zero", {"0", "0,0", "0"}, "NUM", true);
        row("zero: null counts as zero", "zero", {"0", ""}, "NUM", true);
        row("zero: positive last", "zero", {"0", "0", "0,01"}, "NUM", false);
        row("zero: negative", "zero", {"0", "-5"}, "NUM", false);
        row("zero: empty table", "zero", {}, "NUM", true);
        row("zero: missing field", "zero", {"7"}, "BRAK", true);
        row("zero: text amount", "zero", {"0", "12,5"}, "VAL", false);
    }
    void scans() {
        QFETCH(QString, scan);
        QFETCH(QStringList, values);
        QFETCH(QString, field);
        QFETCH(bool, expected);
        auto ds = tableWith(field == QLatin1String("NUM") ? field : QStringLiteral("VAL"), values);
        const int before = ds->recNo();
        const bool found = scan == QLatin1String("empty") ? Utils::anyRowEmpty(*ds, field)
                           : scan == QLatin1String("digits")
                               ? Utils::anyRowWithBadDigits(*ds, field, 10)
                               : Utils::allRowsZero(*ds, field);
        QCOMPARE(found, expected);
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
        auto row = [](const char* name, const char* value, const char* filter,
                      const QStringList& names) {
            QTest::newRow(name) << value << filter << names;
        };
        row("parent 14", "14", "PARENT_ID = 14",
            {"powiat bialski", QString::fromUtf8("powiat chełmski")});
        row("parent 16", "16", "PARENT_ID = 16", {"powiat brzeski"});
        row("no parent chosen", "", "PARENT_ID = -1", {});
        row("unknown parent", "99", "PARENT_ID = 99", {});
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
