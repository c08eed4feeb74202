#include "file/checksum.h"
#include "file/md5.h"
#include "model/dm_main_tmpl.h"
#include "platform/ui/headlessui.h"

#include <QTest>

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

const QString kEmptyMd5 = QStringLiteral("d41d8cd98f00b204e9800998ecf8427e");

void addProduct(DataSet& t, int lp, const QString& name, const QVariant& year2004) {
    t.append();
    t.field(QStringLiteral("Lp.")).setValue(lp);
    t.field(QStringLiteral("Produkt")).setValue(name);
    t.field(QStringLiteral("2004")).setValue(year2004);
    t.post();
}

} // namespace

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
        QCOMPARE(Md5::digest(input).size(), 16);
    }

    void fold_data() {
        QTest::addColumn<QString>("digest");
        QTest::addColumn<QString>("folded");
        auto row = [](const char* name, const QString& digest, const char* folded) {
            QTest::newRow(name) << digest << folded;
        };
        row("zero", QString(32, QLatin1Char('0')), "0000-0000-0000-0000");
        row("no carry", "00000001000000020000000300000004", "0000-0003-0000-0007");
        // A sum of exactly 2^32 folds to 1; the largest sum folds to ffffffff.
        row("carry at 2^32", "ffffffff000000018000000080000000", "0000-0001-0000-0001");
        row("largest sums", QString(32, QLatin1Char('f')), "ffff-ffff-ffff-ffff");
        row("carry in one half", "fffffffe000000021234567800000000", "0000-0001-1234-5678");
        row("upper-case digits", "0000000A0000000B0000000C0000000D", "0000-0015-0000-0019");
    }

    void fold() {
        QFETCH(QString, digest);
        QFETCH(QString, folded);
        QCOMPARE(Checksum::foldDigest(digest), folded);
    }

    void checksumOfText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("checksum");
        QTest::newRow("abc") << QString("abc") << QString("ccd3-a048-ff77-beef");
        QTest::newRow("empty text: fold of the digest of zero bytes")
            << "" << Checksum::foldDigest(kEmptyMd5);
    }

    void checksumOfText() {
        QFETCH(QString, text);
        QFETCH(QString, checksum);
        QCOMPARE(Checksum::ofText(text), checksum);
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
        qputenv("TOPAZ_SYSTEM_CODEPAGE", codePage);
        const QByteArray input = Checksum::digestInput(QString::fromUtf8("ĄŚŹąśźŁł 1~"));
        qunsetenv("TOPAZ_SYSTEM_CODEPAGE");
        QCOMPARE(input, bytes);
    }

    // ---------------------------------------------------------------- the digested text

    void emptyModuleGivesChecksumOfEmptyText() {
        BareModule dm(ui_);
        QCOMPARE(BuildChecksumText(dm), QString());
        QCOMPARE(ComputeChecksum(dm), Checksum::foldDigest(kEmptyMd5));
    }

    void takesDataFieldsInFieldOrder() {
        BareModule dm(ui_);
        DataSet& produkty = dm.table(QStringLiteral("dsProdukty"));
        addProduct(produkty, 1, QStringLiteral("Most"), 1200.5);
        produkty.edit();
        produkty.field(QStringLiteral("Jedn_miary")).setValue(QStringLiteral("szt"));
        produkty.post();
        // Lp., Produkt, 2004 (plain number form), Jedn_miary; empty years and the
        // calculated total are left out.
        QCOMPARE(BuildChecksumText(dm), QStringLiteral("1~Most~1200,5~szt~"));

        // Tables follow in component order: dsProdukty before dsWniosek, dsOsobyUpow after it.
        DataSet& wniosek = dm.table(QStringLiteral("dsWniosek"));
        wniosek.append();
        wniosek.field(QStringLiteral("tytul_projektu")).setValue(QStringLiteral("Tytuł"));
        wniosek.post();
        const QString text = BuildChecksumText(dm);
        QVERIFY2(text.startsWith(QStringLiteral("1~Most~1200,5~szt~Tytuł~")), qPrintable(text));
    }

    void skipsTaggedLookupAndCalculatedFields() {
        BareModule dm(ui_);
        DataSet& wniosek = dm.table(QStringLiteral("dsWniosek"));
        wniosek.append();
        wniosek.field(QStringLiteral("rodz_proj")).setValue(QStringLiteral("RB"));
        wniosek.post();
        DataSet& produkty = dm.table(QStringLiteral("dsProdukty"));
        addProduct(produkty, 1, QStringLiteral("Most"), 5);
        const QString before = BuildChecksumText(dm);

        // The lookup has a value, but only its key is taken.
        const QString lookupText = wniosek.field(QStringLiteral("lkp_rodz_projektu")).asString();
        QVERIFY(!lookupText.isEmpty());
        QVERIFY(!before.contains(lookupText));

        wniosek.edit();
        wniosek.field(QStringLiteral("plan_okres_real")).setValue(17);
        wniosek.field(QStringLiteral("plan_okres_do_oddania")).setValue(3);
        wniosek.field(QStringLiteral("suma_kontrolna"))
            .setValue(QStringLiteral("abcd-abcd-abcd-abcd"));
        wniosek.post();
        produkty.edit();
        produkty.field(QStringLiteral("Razem")).setValue(999);
        produkty.post();
        QCOMPARE(BuildChecksumText(dm), before);
    }

    void recordOrderMatters() {
        BareModule dm(ui_);
        DataSet& produkty = dm.table(QStringLiteral("dsProdukty"));
        addProduct(produkty, 1, QStringLiteral("A"), 1);
        addProduct(produkty, 1, QStringLiteral("B"), 1);
        const QString ab = ComputeChecksum(dm);
        produkty.emptyTable();
        addProduct(produkty, 1, QStringLiteral("B"), 1);
        addProduct(produkty, 1, QStringLiteral("A"), 1);
        QVERIFY(ComputeChecksum(dm) != ab);
    }

    void emptyValueContributesNothing() {
        BareModule dm(ui_);
        DataSet& produkty = dm.table(QStringLiteral("dsProdukty"));
        addProduct(produkty, 1, QStringLiteral("Most"), QVariant());
        const QString without = BuildChecksumText(dm);
        produkty.edit();
        produkty.field(QStringLiteral("Jedn_miary")).setValue(QString(""));
        produkty.post();
        QCOMPARE(BuildChecksumText(dm), without);
        QCOMPARE(without, QStringLiteral("1~Most~"));
        // A zero is a value, unlike an empty field.
        produkty.edit();
        produkty.field(QStringLiteral("2005")).setValue(0);
        produkty.post();
        QCOMPARE(BuildChecksumText(dm), QStringLiteral("1~Most~0~"));
    }

    void datesAsYearMonthDay() {
        BareModule dm(ui_);
        DataSet& wniosek = dm.table(QStringLiteral("dsWniosek"));
        wniosek.append();
        wniosek.field(QStringLiteral("harm_rozp")).setValue(QDate(2005, 3, 1));
        wniosek.post();
        QVERIFY(BuildChecksumText(dm).contains(QStringLiteral("2005.03.01~")));
    }

    void postsEditedTableWithoutMarkingChange() {
        BareModule dm(ui_);
        DataSet& produkty = dm.table(QStringLiteral("dsProdukty"));
        addProduct(produkty, 1, QStringLiteral("Most"), QVariant());
        dm.Zmieniony = false;
        produkty.edit();
        produkty.field(QStringLiteral("Produkt")).setValue(QStringLiteral("Wiadukt"));
        QCOMPARE(BuildChecksumText(dm), QStringLiteral("1~Wiadukt~"));
        QCOMPARE(produkty.state(), DataSetState::Browse);
        QVERIFY(!dm.Zmieniony);
    }

    void closedTableContributesNothing() {
        BareModule dm(ui_);
        DataSet& produkty = dm.table(QStringLiteral("dsProdukty"));
        addProduct(produkty, 1, QStringLiteral("Most"), 3);
        QVERIFY(!BuildChecksumText(dm).isEmpty());
        produkty.close();
        QCOMPARE(BuildChecksumText(dm), QString());
    }

    // ---------------------------------------------------------------- the action and the check

    void acSumaKStoresChecksum() {
        BareModule dm(ui_);
        ApplicationChecksum checksum(dm);
        DataSet& wniosek = dm.table(QStringLiteral("dsWniosek"));
        QVERIFY(wniosek.isEmpty());
        checksum.acSumaK();
        QCOMPARE(wniosek.recordCount(), 1);
        QCOMPARE(wniosek.state(), DataSetState::Browse);
        QCOMPARE(checksum.storedChecksum(), ComputeChecksum(dm));
        QCOMPARE(checksum.storedChecksum().size(), 19);

        addProduct(dm.table(QStringLiteral("dsProdukty")), 1, QStringLiteral("Most"), 3);
        QVERIFY(checksum.storedChecksum() != ComputeChecksum(dm));
        checksum.acSumaK();
        QCOMPARE(checksum.storedChecksum(), ComputeChecksum(dm));
    }

    // The stored checksum follows every kind of change made after the last one, whether
    // the change is posted or still in the edit buffer.
    void acSumaKFollowsChanges_data() {
        QTest::addColumn<int>("change");
        QTest::newRow("row appended") << 0;
        QTest::newRow("value edited, not posted") << 1;
        QTest::newRow("value edited and posted") << 2;
        QTest::newRow("table emptied") << 3;
        QTest::newRow("table closed") << 4;
    }

    void acSumaKFollowsChanges() {
        QFETCH(int, change);
        BareModule dm(ui_);
        ApplicationChecksum checksum(dm);
        DataSet& products = dm.table(QStringLiteral("dsProdukty"));
        addProduct(products, 1, QStringLiteral("Most"), 3);
        checksum.acSumaK();
        const QString before = checksum.storedChecksum();
        switch (change) {
        case 0:
            addProduct(products, 2, QStringLiteral("Droga"), 4);
            break;
        case 1:
        case 2:
            products.first();
            products.edit();
            products.field(QStringLiteral("Produkt")).setValue(QStringLiteral("Wiadukt"));
            if (change == 2) products.post();
            break;
        case 3:
            products.emptyTable();
            break;
        case 4:
            products.close();
            break;
        }
        checksum.acSumaK();
        QVERIFY(checksum.storedChecksum() != before);
        QCOMPARE(checksum.storedChecksum(), ComputeChecksum(dm));
    }

    void acSumaKRespectsTrustedFile() {
        BareModule dm(ui_);
        ApplicationChecksum checksum(dm);
        DataSet& wniosek = dm.table(QStringLiteral("dsWniosek"));
        wniosek.append();
        wniosek.field(QStringLiteral("suma_kontrolna"))
            .setValue(QStringLiteral("0000-0000-0000-0000"));
        wniosek.post();
        checksum.ChecksumTrusted = true;
        dm.Zmieniony = false;
        checksum.acSumaK();
        QCOMPARE(checksum.storedChecksum(), QStringLiteral("0000-0000-0000-0000"));
        // Once the user changed something, the checksum follows the data again.
        dm.Zmieniony = true;
        checksum.acSumaK();
        QCOMPARE(checksum.storedChecksum(), ComputeChecksum(dm));
    }

    void verifyChecksum_data() {
        QTest::addColumn<bool>("closingByHost");
        QTest::addColumn<bool>("loadFailed");
        QTest::addColumn<QString>("fileVersion");
        QTest::addColumn<bool>("storeCorrect");
        QTest::addColumn<bool>("holds");
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<bool>("rewritten");
        QTest::addColumn<bool>("changedAfter");

        QTest::newRow("matching checksum")
            << false << false << "1.0.0.0" << true << true << false << false << false;
        QTest::newRow("changed data")
            << false << false << "1.0.0.0" << false << false << false << true << false;
        QTest::newRow("other module version")
            << false << false << "0.9.0.0" << false << true << true << false << false;
        QTest::newRow("damaged file")
            << false << true << "1.0.0.0" << false << true << false << false << true;
        QTest::newRow("host closing")
            << true << false << "1.0.0.0" << false << true << false << false << true;
    }

    void verifyChecksum() {
        QFETCH(bool, closingByHost);
        QFETCH(bool, loadFailed);
        QFETCH(QString, fileVersion);
        QFETCH(bool, storeCorrect);
        QFETCH(bool, holds);
        QFETCH(bool, trusted);
        QFETCH(bool, rewritten);
        QFETCH(bool, changedAfter);

        BareModule dm(ui_);
        ApplicationChecksum checksum(dm);
        addProduct(dm.table(QStringLiteral("dsProdukty")), 1, QStringLiteral("Most"), 3);
        DataSet& wniosek = dm.table(QStringLiteral("dsWniosek"));
        wniosek.append();
        wniosek.post();
        const QString stored =
            storeCorrect ? ComputeChecksum(dm) : QStringLiteral("1111-2222-3333-4444");
        wniosek.edit();
        wniosek.field(QStringLiteral("suma_kontrolna")).setValue(stored);
        wniosek.post();
        dm.Zmieniony = true;

        QCOMPARE(checksum.VerifyChecksum(
                     {closingByHost, loadFailed, fileVersion, QStringLiteral("1.0.0.0")}),
                 holds);
        QCOMPARE(checksum.ChecksumTrusted, trusted);
        QCOMPARE(checksum.storedChecksum(), rewritten ? ComputeChecksum(dm) : stored);
        QCOMPARE(dm.Zmieniony, changedAfter);
    }
};

QTEST_GUILESS_MAIN(TestChecksum)
#include "tst_checksum.moc"
