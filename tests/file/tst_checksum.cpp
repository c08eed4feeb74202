#include "file/checksum.h"
#include "file/md5.h"
#include "model/dm_main_tmpl.h"
#include "platform/ui/headlessui.h"
#include "tests/test_support.h"

#include <QRegularExpression>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// The base data module alone: its tables without any rule, filled by the test itself.
class BareModule : public TdmDataSets_t {
public:
    explicit BareModule(UserInterface& ui) : TdmDataSets_t(ui, options()) { initialize(); }

private:
    static DataModuleOptions options() {
        DataModuleOptions o;
        const QString folder = QStringLiteral(TOPAZ_EXAMPLES);
        o.folderSources = HostEnv::HostFolderSources{[folder] { return folder; }, {}, {}};
        return o;
    }
};

const QString kEmptyMd5 = "d41d8cd98f00b204e9800998ecf8427e";

void addProduct(TdmDataSets_t& dm, int lp, const QString& name, const QVariant& year2004) {
    DataSet& t = dm.table("dsProdukty");
    t.append();
    t.field("Lp.").setValue(lp);
    t.field("Produkt").setValue(name);
    t.field("2004").setValue(year2004);
    t.post();
}

// Assigns values to the current row of a table (a new row when it has none) and posts.
void set(TdmDataSets_t& dm, const char* table, const QList<QPair<const char*, QVariant>>& values,
         bool post = true) {
    DataSet& t = dm.table(table);
    t.isEmpty() ? void(t.append()) : t.edit();
    for (const auto& [name, value] : values)
        t.field(name).setValue(value);
    if (post) t.post();
}

using Step = std::function<void(TdmDataSets_t&)>;

// Steps for the tables below: a product appended, a value set, steps one after another.
Step product(int lp, const char* name, const QVariant& year2004) {
    return [=](TdmDataSets_t& dm) { addProduct(dm, lp, name, year2004); };
}
Step put(const char* table, const char* field, const QVariant& value, bool post = true) {
    return [=](TdmDataSets_t& dm) { set(dm, table, {{field, value}}, post); };
}
Step closed(const char* table) {
    return [=](TdmDataSets_t& dm) { dm.table(table).close(); };
}
Step steps(const QList<Step>& all) {
    return [=](TdmDataSets_t& dm) {
        for (const Step& s : all)
            s(dm);
    };
}

} // namespace

Q_DECLARE_METATYPE(Step)

class TestChecksum : public QObject {
    Q_OBJECT

private:
    HeadlessUi ui_;

private slots:
    // ---------------------------------------------------------------- digest and fold

    void md5Vectors_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("digest");
        // From the test suite of RFC 1321: nothing, one block, more than one block.
        QTest::newRow("empty") << QByteArray("") << kEmptyMd5;
        QTest::newRow("abc") << QByteArray("abc") << "900150983cd24fb0d6963f7d28e17f72";
        QTest::newRow("digits x8")
            << QByteArray("1234567890").repeated(8) << "57edf4a22be3c955ac49da2e2107b67a";
    }

    void md5Vectors() {
        QFETCH(QByteArray, input);
        QFETCH(QString, digest);
        QCOMPARE(Md5::hexDigest(input), digest);
        // The checksum of a text is the fold of the digest of its bytes.
        QCOMPARE(Checksum::ofText(QString::fromLatin1(input)), Checksum::foldDigest(digest));
    }

    void fold_data() {
        QTest::addColumn<QString>("digest");
        QTest::addColumn<QString>("folded");
        auto row = [](const char* name, const QString& digest, const char* folded) {
            QTest::newRow(name) << digest << folded;
        };
        row("zero", QString(32, '0'), "0000-0000-0000-0000");
        row("no carry", "00000001000000020000000300000004", "0000-0003-0000-0007");
        // A sum of exactly 2^32 folds to 1; the largest sum folds to ffffffff.
        row("carry at 2^32", "ffffffff000000018000000080000000", "0000-0001-0000-0001");
        row("largest sums", QString(32, 'f'), "ffff-ffff-ffff-ffff");
        row("carry in one half", "fffffffe000000021234567800000000", "0000-0001-1234-5678");
        row("upper-case digits", "0000000A0000000B0000000C0000000D", "0000-0015-0000-0019");
        row("digest of abc", "900150983cd24fb0d6963f7d28e17f72", "ccd3-a048-ff77-beef");
    }

    void fold() {
        QFETCH(QString, digest);
        QFETCH(QString, folded);
        QCOMPARE(Checksum::foldDigest(digest), folded);
    }

    // The digest is taken over the text in the system code page: Polish letters are one
    // byte each, in windows-1250 unless the system has another.
    void digestInput_data() {
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("windows-1250")
            << QByteArray() << QByteArray("\xa5\x8c\x8f\xb9\x9c\x9f\xa3\xb3 1~");
        QTest::newRow("ISO-8859-2")
            << QByteArray("ISO-8859-2") << QByteArray("\xa1\xa6\xac\xb1\xb6\xbc\xa3\xb3 1~");
    }

    void digestInput() {
        QFETCH(QByteArray, codePage);
        QFETCH(QByteArray, bytes);
        const TestSupport::ScopedEnv env("TOPAZ_SYSTEM_CODEPAGE", codePage);
        QCOMPARE(Checksum::digestInput(u"ĄŚŹąśźŁł 1~"_s), bytes);
    }

    // ---------------------------------------------------------------- the digested text

    // The text of what a row enters (a pattern), built without moving a row: edited tables
    // are posted, Zmieniony keeps its value.
    void digestedText_data() {
        QTest::addColumn<Step>("enter");
        QTest::addColumn<QString>("pattern");
        auto row = [](const char* name, const char* pattern, const Step& enter) {
            QTest::newRow(name) << enter << pattern;
        };
        row("nothing entered", "^$", steps({}));
        // Lp., Produkt, 2004 (plain number form), Jedn_miary; empty years and the calculated
        // total are left out.
        const Step bridge =
            steps({product(1, "Most", 1200.5), put("dsProdukty", "Jedn_miary", "szt")});
        row("data fields in field order", "^1~Most~1200,5~szt~$", bridge);
        // dsProdukty comes before dsWniosek in component order.
        row("tables in component order", "^1~Most~1200,5~szt~Tytuł~",
            steps({bridge, put("dsWniosek", "tytul_projektu", u"Tytuł"_s)}));
        row("empty value contributes nothing", "^1~Most~$",
            steps({product(1, "Most", {}), put("dsProdukty", "Jedn_miary", QString(""))}));
        row("zero is a value", "^1~Most~0~$",
            steps({product(1, "Most", {}), put("dsProdukty", "2005", 0)}));
        row("dates as year.month.day", "(^|~)2005\\.03\\.01~",
            put("dsWniosek", "harm_rozp", QDate(2005, 3, 1)));
        row("records in table order", "^1~B~1~1~A~1~$",
            steps({product(1, "B", 1), product(1, "A", 1)}));
        row("closed table", "^$", steps({product(1, "Most", 3), closed("dsProdukty")}));
        row("edited row is posted", "^1~Wiadukt~$",
            steps({product(1, "Most", {}), [](TdmDataSets_t& dm) { dm.Zmieniony = false; },
                   put("dsProdukty", "Produkt", "Wiadukt", false)}));
        // A lookup's key is taken, not its text; tagged and calculated fields are left out (the
        // flags after the key are the defaults of the new main record).
        row("lookup, tagged and calculated fields", "^1~Most~5~RB~N~(T~)+$",
            steps({put("dsWniosek", "rodz_proj", "RB"), put("dsWniosek", "plan_okres_real", 17),
                   put("dsWniosek", "plan_okres_do_oddania", 3),
                   put("dsWniosek", "suma_kontrolna", "abcd-abcd-abcd-abcd"), product(1, "Most", 5),
                   put("dsProdukty", "Razem", 999)}));
    }

    void digestedText() {
        QFETCH(Step, enter);
        QFETCH(QString, pattern);
        BareModule dm(ui_);
        enter(dm);
        const bool changed = dm.Zmieniony;
        const QString text = BuildChecksumText(dm);
        QVERIFY2(QRegularExpression(pattern).match(text).hasMatch(), qPrintable(text));
        QCOMPARE(ComputeChecksum(dm), Checksum::ofText(text));
        QCOMPARE(dm.Zmieniony, changed);
        for (const auto& t : dm.tables())
            QVERIFY2(!t->isEditing(), qPrintable(t->name()));
    }

    // ---------------------------------------------------------------- the action and the check

    // The stored checksum follows every kind of change made after the last one, whether
    // the change is posted or still in the edit buffer.
    void acSumaKFollowsChanges_data() {
        QTest::addColumn<Step>("change");
        const Step first = [](TdmDataSets_t& dm) { dm.table("dsProdukty").first(); };
        QTest::newRow("row appended") << product(2, "Droga", 4);
        QTest::newRow("value edited, not posted")
            << steps({first, put("dsProdukty", "Produkt", "Wiadukt", false)});
        QTest::newRow("table emptied")
            << Step([](TdmDataSets_t& dm) { dm.table("dsProdukty").emptyTable(); });
        QTest::newRow("table closed") << closed("dsProdukty");
    }

    void acSumaKFollowsChanges() {
        QFETCH(Step, change);
        BareModule dm(ui_);
        ApplicationChecksum checksum(dm);
        // An application without its main record gets one, posted.
        DataSet& wniosek = dm.table("dsWniosek");
        QVERIFY(wniosek.isEmpty());
        checksum.acSumaK();
        QCOMPARE(wniosek.recordCount(), 1);
        QCOMPARE(wniosek.state(), DataSetState::Browse);
        addProduct(dm, 1, "Most", 3);
        checksum.acSumaK();
        const QString before = checksum.storedChecksum();
        change(dm);
        checksum.acSumaK();
        QVERIFY(checksum.storedChecksum() != before);
        QCOMPARE(checksum.storedChecksum(), ComputeChecksum(dm));
    }

    void verifyChecksum_data() {
        // The file: H the host is closing, F its load failed, O another module version saved
        // it, S its checksum is that of the data. The outcome: h the check holds, t the stored
        // checksum is trusted, r it is rewritten, c the data counts as changed afterwards.
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("outcome");
        auto row = [](const char* name, const char* file, const char* outcome) {
            QTest::newRow(name) << file << outcome;
        };
        row("matching checksum", "S", "h");
        row("changed data", "", "r");
        row("other module version", "O", "ht");
        row("damaged file", "F", "hc");
        row("host closing", "H", "hc");
    }

    void verifyChecksum() {
        QFETCH(QString, file);
        QFETCH(QString, outcome);
        BareModule dm(ui_);
        ApplicationChecksum checksum(dm);
        addProduct(dm, 1, "Most", 3);
        set(dm, "dsWniosek", {});
        const QString stored = file.contains(u'S') ? ComputeChecksum(dm) : "1111-2222-3333-4444";
        set(dm, "dsWniosek", {{"suma_kontrolna", stored}});
        dm.Zmieniony = true;
        const bool holds =
            checksum.VerifyChecksum({file.contains(u'H'), file.contains(u'F'),
                                     file.contains(u'O') ? "0.9.0.0" : "1.0.0.0", "1.0.0.0"});
        QCOMPARE(holds, outcome.contains(u'h'));
        QCOMPARE(checksum.ChecksumTrusted, outcome.contains(u't'));
        QCOMPARE(checksum.storedChecksum(), outcome.contains(u'r') ? ComputeChecksum(dm) : stored);
        QCOMPARE(dm.Zmieniony, outcome.contains(u'c'));
        // A trusted checksum stays until the user changes something, then follows the data.
        checksum.acSumaK();
        QCOMPARE(checksum.storedChecksum(), outcome.contains(u't') ? stored : ComputeChecksum(dm));
        dm.Zmieniony = true;
        checksum.acSumaK();
        QCOMPARE(checksum.storedChecksum(), ComputeChecksum(dm));
    }
};

QTEST_GUILESS_MAIN(TestChecksum)
#include "tst_checksum.moc"
