// The printed application read back from the PDF: year-column blocks, totals, row names,
// the trial-print marker, page numbers and orientation, and the print routine's flags.
#include "examples/generator/sample_application.h"
#include "file/application_file.h"
#include "model/validation_port.h"
#include "print/amount_text.h"
#include "print/print_routine.h"
#include "print/report_sections.h"
#include "tests/model/module_fixture.h"
#include "tests/print/pdf_text.h"
#include "validation/findings.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QString text(const QStringList& pages) {
    return pages.join(u'\f');
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    static void
    fillSample(ModuleFixture& m,
               SampleApplication::Variant variant = SampleApplication::Variant::Complete);
    QStringList printPages(const TdmDataSets& dm, bool trial = false);

private slots:
    void amountFormat_data();
    void amountFormat();
    void sourceRowName_data();
    void sourceRowName();
    void yearBlocks_data();
    void yearBlocks();
    void expenditureTotalsUnderLaterYear();
    void financeRowNames();
    void trialMarkerAndPages_data();
    void trialMarkerAndPages();
    void printRoutineKeepsZmieniony_data();
    void printRoutineKeepsZmieniony();
};

void TestPrint::fillSample(ModuleFixture& m, SampleApplication::Variant variant) {
    if (!m.dm->SprawdzSlownik()) qFatal("dictionary unusable");
    SampleApplication::fill(*m.dm, variant);
}

QStringList TestPrint::printPages(const TdmDataSets& dm, bool trial) {
    const QString pdf = dir_.filePath(QStringLiteral("out.pdf"));
    int pages = 0;
    if (!writeApplicationPdf(dm, PrintMarks{trial, QStringLiteral("1111-2222-3333-4444")}, pdf,
                             &pages))
        return {};
    const QStringList out = PdfText::pages(pdf);
    if (out.size() != pages) return {};
    return out;
}

void TestPrint::amountFormat_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("printed");
    QTest::newRow("empty") << QVariant() << QString();
    QTest::newRow("zero") << QVariant(0.0) << QStringLiteral("0,00");
    QTest::newRow("thousands") << QVariant(1234567.5) << QStringLiteral("1 234 567,50");
    QTest::newRow("rounded up") << QVariant(999.999) << QStringLiteral("1 000,00");
    QTest::newRow("negative") << QVariant(-1234.567) << QStringLiteral("-1 234,57");
    QTest::newRow("negative zero") << QVariant(-0.001) << QStringLiteral("0,00");
    QTest::newRow("text blank") << QVariant(QStringLiteral(" ")) << QString();
}

void TestPrint::amountFormat() {
    QFETCH(QVariant, value);
    QFETCH(QString, printed);
    QCOMPARE(amountText(value), printed);
}

void TestPrint::sourceRowName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("printed");
    QTest::newRow("child row") << QStringLiteral("prywatne") << QStringLiteral(" - prywatne");
    QTest::newRow("total row") << QStringLiteral("OGÓŁEM") << QStringLiteral("OGÓŁEM");
    QTest::newRow("group row") << QStringLiteral("Publiczne") << QStringLiteral("Publiczne");
    // Only ASCII letters count: a Polish lower-case first letter prints unchanged.
    QTest::newRow("polish lower") << QStringLiteral("środki") << QStringLiteral("środki");
    QTest::newRow("empty") << QString() << QString();
}

void TestPrint::sourceRowName() {
    QFETCH(QString, name);
    QFETCH(QString, printed);
    QCOMPARE(ReportSections::sourceRowName(name), printed);
}

void TestPrint::yearBlocks_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QList<int>>("laterYears");
    QTest::addColumn<QStringList>("blocks");

    const QString base = QStringLiteral("2004 2005 2006 2007 2008 ");
    const QString products = QStringLiteral("1. Wskaźniki planowanych produktów");
    const QString results = QStringLiteral("2. Wskaźniki planowanych rezultatów");
    const QString impacts = QStringLiteral("3. Wskaźniki planowanych odziaływań");
    const QString profitA = QStringLiteral("a) Planowany zysk");
    const QString profitB = QStringLiteral("b) Średnioroczny");
    const QString m = QStringLiteral("6m. Planowane wydatki");
    const QString n = QStringLiteral("6n. Źródła finansowania");
    const QString o = QStringLiteral("6o. Profil wydatkowania");
    const QString p = QStringLiteral("6p. Zgodność");
    const QString indicator = QStringLiteral("Wskaźnik");
    const QString expense = QStringLiteral("Kategoria wydatku");
    const QString source = QStringLiteral("Źródło");
    const QString revenue = QStringLiteral("Kategoria przychodu");

    // No later year: 2004-2008 and the total in the first block only.
    QTest::newRow("6l products, none") << products << results << indicator << "tab6lprod"
                                       << QList<int>{} << QStringList{base + "RAZEM"};
    QTest::newRow("6l results, none") << results << impacts << indicator << "tab6lrez"
                                      << QList<int>{} << QStringList{base + "RAZEM"};
    QTest::newRow("6ł profits, none") << profitA << profitB << revenue << "tab6ltyp" << QList<int>{}
                                      << QStringList{base + "RAZEM"};
    QTest::newRow("6m, none") << m << n << expense << "tab6m" << QList<int>{}
                              << QStringList{base + "RAZEM"};
    QTest::newRow("6n, none") << n << o << source << "tab6n" << QList<int>{}
                              << QStringList{base + "Suma"};
    QTest::newRow("6o, none") << o << p << source << "tab6o" << QList<int>{}
                              << QStringList{base + "Suma"};
    // Two later years: slot 0 and slot 1, the total beside the second.
    QTest::newRow("6m, 2009 and 2012") << m << n << expense << "tab6m" << QList<int>{2012, 2009}
                                       << QStringList{base + "2009", QStringLiteral("2012 RAZEM")};
    // All eight: slot 0, slots 1-6, slot 7 and the total in slot 8.
    QTest::newRow("6n, all eight")
        << n << o << source << "tab6n" << QList<int>{2009, 2010, 2011, 2012, 2013, 2014, 2015, 2016}
        << QStringList{base + "2009", QStringLiteral("2010 2011 2012 2013 2014 2015"),
                       QStringLiteral("2016 Suma")};
    // Seven: the second block full, the third holds the total alone.
    QTest::newRow("6l products, seven")
        << products << results << indicator << "tab6lprod"
        << QList<int>{2009, 2010, 2011, 2012, 2013, 2014, 2016}
        << QStringList{base + "2009", QStringLiteral("2010 2011 2012 2013 2014 2016"),
                       QStringLiteral("RAZEM")};
    // A switch of another table changes nothing here.
    QTest::newRow("6o, 6n switched")
        << o << p << source << "tab6n" << QList<int>{2010} << QStringList{base + "Suma"};
}

void TestPrint::yearBlocks() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, caption);
    QFETCH(QString, family);
    QFETCH(QList<int>, laterYears);
    QFETCH(QStringList, blocks);
    ModuleFixture m;
    fillSample(m);
    DataSet& w = m.t("dsWniosek");
    for (int year : laterYears)
        SampleApplication::set(w, (family + QString::number(year) + "v").toLatin1(), "T");
    if (w.isEditing()) w.post();
    const QStringList pages = printPages(*m.dm);
    QVERIFY(!pages.isEmpty());
    QCOMPARE(PdfText::headerBlocks(PdfText::linesBetween(text(pages), from, to), caption), blocks);
}

void TestPrint::expenditureTotalsUnderLaterYear() {
    ModuleFixture m;
    fillSample(m);
    SampleApplication::setAll(m.t("dsWniosek"), {{"tab6m2009v", "T"}, {"tab6m2012v", "T"}});
    DataSet& plan = m.t("dsPlanWydatki");
    double grandTotal = 0;
    for (int i = 1; i <= plan.recordCount(); ++i) {
        plan.setRecNo(i);
        const bool qualified = plan.field("CZY_KWALIFIKOWANE").asString() == "T";
        const int stage = int(plan.field("Etap").asInteger());
        plan.edit();
        plan.field("2012").setValue(qualified ? 1000.0 : stage == 1 ? 500.0 : 0.0);
        plan.post();
        grandTotal += plan.field("RAZEM").asFloat();
    }
    const QStringList pages = printPages(*m.dm);
    QVERIFY(!pages.isEmpty());
    // The second block starts at its own header line "2012 RAZEM".
    const QStringList table = PdfText::linesBetween(text(pages), QStringLiteral("6m. Planowane"),
                                                    QStringLiteral("6n. Źródła"));
    qsizetype second = -1;
    for (qsizetype i = 0; i < table.size(); ++i)
        if (PdfText::headerBlocks({table[i]}, QStringLiteral("Kategoria wydatku")) ==
            QStringList{QStringLiteral("2012 RAZEM")})
            second = i;
    QVERIFY(second >= 0);
    const QStringList block = table.mid(second + 1);
    auto lineOf = [&](const QString& rowText, int occurrence) {
        for (const QString& line : block)
            if (line.contains(rowText) && occurrence-- == 0) return line;
        return QString();
    };
    const struct {
        const char* row;
        int occurrence;
        const char* under2012;
    } expected[] = {
        {"Razem wydatki kwalifikowane", 0, "1 000,00"},
        {"Razem wydatki niekwalifikowane", 0, "500,00"},
        {"Razem etap 1", 0, "1 500,00"},
        {"Razem wydatki kwalifikowane", 1, "1 000,00"},
        {"Razem wydatki niekwalifikowane", 1, "0,00"},
        {"Razem etap 2", 0, "1 000,00"},
        {"Ogółem wydatki", 0, "2 500,00"},
    };
    for (const auto& e : expected) {
        const QString row = QString::fromUtf8(e.row);
        const QStringList amounts = PdfText::amountsAfter(lineOf(row, e.occurrence), row);
        QVERIFY2(amounts.size() == 2, qPrintable(row));
        QCOMPARE(amounts.first(), QString::fromUtf8(e.under2012));
    }
    QCOMPARE(PdfText::amountsAfter(lineOf("Ogółem wydatki", 0), "Ogółem wydatki").last(),
             amountText(grandTotal));
}

void TestPrint::financeRowNames() {
    ModuleFixture m;
    fillSample(m);
    const QStringList pages = printPages(*m.dm);
    const QStringList table = PdfText::linesBetween(text(pages), QStringLiteral("6n. Źródła"),
                                                    QStringLiteral("6o. Profil"));
    static const QRegularExpression child(QStringLiteral("^\\s*- prywatne\\s"));
    static const QRegularExpression total(QStringLiteral("^OGÓŁEM\\s"));
    QCOMPARE(table.filter(child).size(), 1);
    QCOMPARE(table.filter(total).size(), 1);
    QVERIFY(table.filter(QStringLiteral("- OGÓŁEM")).isEmpty());
}

void TestPrint::trialMarkerAndPages_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("marked");
    QTest::newRow("valid") << "complete.xml" << 0 << false;
    QTest::newRow("warning only") << "cofinancing-warning.xml" << 0 << false;
    QTest::newRow("one finding") << "attachments-missing.xml" << 1 << true;
}

void TestPrint::trialMarkerAndPages() {
    QFETCH(QString, file);
    QFETCH(int, exitCode);
    QFETCH(bool, marked);
    const QString in = dir_.filePath(file);
    QFile::remove(in);
    QVERIFY(QFile::copy(QStringLiteral(TOPAZ_TEST_DATA "/applications/") + file, in));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZELGR_REGISTRY"), dir_.filePath(QStringLiteral("registry.ini")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"),
            {QStringLiteral("print"), QStringLiteral("--bin"), QStringLiteral(TOPAZ_BIN_DIR), in});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), exitCode);
    const QString pdf = dir_.filePath(QFileInfo(file).completeBaseName() + ".pdf");
    const QStringList pages = PdfText::pages(pdf);
    const QString sizes = PdfText::orientations(pdf);
    const int count = int(pages.size());
    QVERIFY(count > 3);
    QCOMPARE(sizes.size(), count);
    const QString numbering = QStringLiteral("strona %1/") + QString::number(count);
    for (int i = 0; i < count; ++i) {
        const QString& page = pages[i];
        QVERIFY2(page.contains(numbering.arg(i + 1)), qPrintable(QString::number(i + 1)));
        QCOMPARE(page.count(QStringLiteral("-- WYDRUK PRÓBNY --")), marked ? 1 : 0);
        QVERIFY(page.contains(QStringLiteral("Suma kontrolna: ")));
        // The money tables are the landscape pages; the others are portrait.
        const bool money = page.contains(QStringLiteral("6m. Planowane")) ||
                           page.contains(QStringLiteral("6n. Źródła")) ||
                           page.contains(QStringLiteral("6o. Profil"));
        if (money) QCOMPARE(sizes[i], u'L');
        if (page.contains(QStringLiteral("5. Beneficjent")) ||
            page.contains(QStringLiteral("6p. Zgodność")))
            QCOMPARE(sizes[i], u'P');
    }
    // One run of landscape pages between the portrait ones.
    QVERIFY(QRegularExpression(QStringLiteral("^P+L{3,}P+$")).match(sizes).hasMatch());
}

void TestPrint::printRoutineKeepsZmieniony_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("trial");
    QTest::newRow("valid, unchanged")
        << int(SampleApplication::Variant::Complete) << false << false;
    QTest::newRow("valid, changed") << int(SampleApplication::Variant::Complete) << true << false;
    QTest::newRow("finding, unchanged")
        << int(SampleApplication::Variant::AttachmentsMissing) << false << true;
}

void TestPrint::printRoutineKeepsZmieniony() {
    QFETCH(int, variant);
    QFETCH(bool, changed);
    QFETCH(bool, trial);
    ModuleFixture m;
    fillSample(m, SampleApplication::Variant(variant));
    HostSettings settings;
    ApplicationFile file(*m.dm, m.ui, settings);
    int commits = 0;
    file.CommitActiveControl = [&] {
        ++commits;
        return true;
    };
    m.dm->Zmieniony = changed;
    FindingList window;
    int shown = 0;
    QString printedChecksum;
    PrintRoutineHooks hooks;
    hooks.validate = validationInto(*m.dm, window, [&](const FindingList&) { ++shown; });
    hooks.output = [&](const PrintMarks& marks) { printedChecksum = marks.checksum; };
    const PrintMarks marks = runPrintRoutine(file, *m.dm, hooks);
    m.dm->plugValidation(nullptr);
    QCOMPARE(m.dm->Zmieniony, changed);
    QCOMPARE(commits, 1);
    QCOMPARE(marks.trialPrint, trial);
    QCOMPARE(shown, trial ? 1 : 0);
    // The header prints the checksum of the data as printed.
    QCOMPARE(printedChecksum, ComputeChecksum(*m.dm));
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
