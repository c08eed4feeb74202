// The printed application read back from the PDF: year-column blocks, totals, row names,
// the trial-print marker, page numbers and orientation, and the print routine's flags. The
// preview and print dialogs of the editor's print actions, offscreen: the preview is modal,
// maximized, at 85 % and shows every page; the print dialog stays on top and prints nothing
// when cancelled.
#include "examples/generator/sample_application.h"
#include "file/application_file.h"
#include "model/validation_port.h"
#include "platform/utils/amount.h"
#include "print/print_dialogs.h"
#include "print/print_routine.h"
#include "print/report_sections.h"
#include "tests/modal_step.h"
#include "tests/model/module_fixture.h"
#include "tests/print/pdf_text.h"
#include "tests/test_support.h"
#include "validation/findings.h"

#include "editor/forms/frames/frame_registry.h"

#include <QApplication>
#include <QDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString text(const QStringList& pages) {
    return pages.join(u'\f');
}

// A field the editor shows, where it is shown.
struct ShownField {
    QString table, field, control, mask;
    editor::ControlKind kind;
    bool list = false;    // a grid column or a field of a repeating block: several records
    bool cascade = false; // a lookup whose list follows another field's value
    std::vector<QString> choices = {}; // check boxes and radio groups: the values to set
};

void collect(const editor::ControlRow& row, std::vector<ShownField>& out) {
    using editor::ControlKind;
    if (row.behaviour.testFlag(editor::Behaviour::Hidden)) return;
    const QString table = row.table ? QLatin1String(row.table) : QString();
    const QString mask = row.mask ? QLatin1String(row.mask) : QString();
    if (row.field && row.kind != ControlKind::BoundLabel) {
        ShownField f{table, QLatin1String(row.field), QLatin1String(row.name), mask, row.kind};
        f.cascade = row.cascade.isSet();
        if (row.kind == ControlKind::Check)
            f.choices = {QString::fromUtf8(row.onValue), QString::fromUtf8(row.offValue)};
        for (const auto& [value, caption] : row.choices)
            f.choices.push_back(value);
        out.push_back(f);
    }
    if (row.kind == ControlKind::Grid)
        for (const editor::ColumnRow& c : row.columns)
            if (!c.hidden)
                out.push_back({table, QLatin1String(c.field), QLatin1String(row.name),
                               c.mask ? QLatin1String(c.mask) : QString(), ControlKind::Edit, true,
                               c.cascade.isSet()});
    for (const editor::ControlRow& child : row.children) {
        std::vector<ShownField> inner;
        collect(child, inner);
        for (ShownField& f : inner)
            f.list = true;
        out.insert(out.end(), inner.begin(), inner.end());
    }
}

// Every bound control of every frame of the editor, each field once.
std::vector<ShownField> shownFields() {
    std::vector<ShownField> all, out;
    for (const editor::PageFrames& page : editor::framePages())
        for (const editor::FrameDescription& frame : page.frames)
            for (const editor::FramePanel& panel : frame.panels)
                for (const editor::ControlRow& row : panel.rows)
                    collect(row, all);
    for (const ShownField& f : all)
        if (std::none_of(out.begin(), out.end(), [&](const ShownField& o) {
                return o.table == f.table && o.field == f.field;
            }))
            out.push_back(f);
    return out;
}

// A text marker nothing else on paper contains: letters for plain texts, digits in the
// shape of the mask for masked ones ("!000-000-00-00;1;_" keeps its dashes).
QString textMarker(int n, const ShownField& f, int size) {
    if (f.mask.isEmpty()) {
        QString m = u"Xq"_s;
        for (int i = 0; i < 3; ++i, n /= 26)
            m += QChar(u'a' + n % 26);
        return m.left(size);
    }
    const QStringList parts = f.mask.split(u';');
    const bool literals = parts.size() > 1 && parts[1] == u"1"_s;
    QString digits = QString::number(7000000 + n * 37).rightJustified(40, u'3');
    QString m;
    int next = 0;
    for (const QChar c : parts[0]) {
        if (c == u'0' || c == u'9')
            m += digits.at(digits.size() - 1 - next++ % digits.size());
        else if (c != u'!' && c != u'>' && c != u'<' && literals)
            m += c;
    }
    return m.left(size);
}

// Puts a marker of its own into the field of the current record and answers the text the
// paper must show for it (without blanks); empty when the field takes no marker.
QString putMarker(int n, const ShownField& f, const TdmDataSets& dm, DataSet& t, Field& field,
                  QSet<QString>& keysSet) {
    if (field.kind() == FieldKind::Lookup) {
        // The shown name of a dictionary row: the key field takes the row's key, once (a
        // code and a name show the same row). The levels of a cascade keep the sample's
        // rows, which agree with each other.
        const FieldDef& d = field.definition();
        const QString key = u"%1.%2.%3"_s.arg(t.name(), d.keyField).arg(t.recNo());
        if (f.cascade || keysSet.contains(key)) return field.asString().remove(u' ');
        keysSet.insert(key);
        const DataSet* dict = dm.findTable(d.lookupDataSet);
        if (!dict || dict->recordCount() == 0) return {};
        const int row = 1 + (n * 7) % dict->recordCount();
        t.field(d.keyField).setValue(dict->valueAt(row, dict->field(d.lookupKeyField)));
        return field.asString().remove(u' ');
    }
    if (field.kind() != FieldKind::Data) return {};
    switch (field.type()) {
    case FieldType::String: {
        const QString m = textMarker(n, f, field.size());
        field.setValue(m);
        return QString(m).remove(u' ');
    }
    case FieldType::Float:
        field.setValue(700000 + n * 1013 + 0.37);
        return QString::number(700000 + n * 1013) + u",37"_s;
    case FieldType::Integer:
    case FieldType::Int64:
        field.setValue(90000 + n);
        return QString::number(90000 + n);
    case FieldType::Date: {
        const QDate d = QDate(1991, 1, 1).addDays(n * 5);
        field.setValue(d);
        return d.toString(u"yyyy.MM.dd"_s);
    }
    case FieldType::Boolean:
        break;
    }
    return {};
}

// Opens the table and gives it at least `rows` records.
void withRows(DataSet& t, int rows) {
    if (!t.isActive()) t.open();
    while (t.recordCount() < rows) {
        t.append();
        t.post();
    }
}

QString flat(QString printed) {
    static const QRegularExpression blanks(u"\\s"_s);
    return printed.remove(blanks);
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    static void
    fillSample(ModuleFixture& m,
               SampleApplication::Variant variant = SampleApplication::Variant::Complete) {
        if (!m.dm->SprawdzSlownik()) qFatal("dictionary unusable");
        SampleApplication::fill(*m.dm, variant);
    }
    QStringList printPages(const TdmDataSets& dm, bool trial = false) {
        const QString pdf = dir_.filePath(u"out.pdf"_s);
        int pages = 0;
        if (!writeApplicationPdf(dm, PrintMarks{trial, u"1111-2222-3333-4444"_s}, pdf, &pages))
            return {};
        const QStringList out = PdfText::pages(pdf);
        if (out.size() != pages) return {};
        return out;
    }

private slots:
    // A child row and the total row are read back from paper below; these are the edges.
    void sourceRowName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("printed");
        // Only ASCII letters count: a Polish lower-case first letter prints unchanged.
        QTest::newRow("polish lower") << u"środki"_s << u"środki"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void sourceRowName() {
        QFETCH(QString, name);
        QFETCH(QString, printed);
        QCOMPARE(ReportSections::sourceRowName(name), printed);
    }
    // The column captions of each block of a year table, by the later years switched on.
    void yearBlocks_data() {
        QTest::addColumn<QString>("table"); // its section heading, the next one, the row caption
        QTest::addColumn<QString>("family");
        QTest::addColumn<QList<int>>("laterYears");
        QTest::addColumn<QStringList>("blocks");
        const QString products =
            u"1. Wskaźniki planowanych produktów|2. Wskaźniki planowanych rezultatów|Wskaźnik"_s;
        const QString profits = u"a) Planowany zysk|b) Średnioroczny|Kategoria przychodu"_s;
        const QString m = u"6m. Planowane wydatki|6n. Źródła finansowania|Kategoria wydatku"_s;
        const QString n = u"6n. Źródła finansowania|6o. Profil wydatkowania|Źródło"_s;
        const QString o = u"6o. Profil wydatkowania|6p. Zgodność|Źródło"_s;
        const QString base = u"2004 2005 2006 2007 2008 "_s;
        const auto row = [](const char* name, const QString& table, const char* family,
                            const QList<int>& years, const QStringList& blocks) {
            QTest::newRow(name) << table << family << years << blocks;
        };
        // No later year: 2004-2008 and the total in the first block only.
        row("6l products, none", products, "tab6lprod", {}, {base + "RAZEM"});
        row("6ł profits, none", profits, "tab6ltyp", {}, {base + "RAZEM"});
        // Two later years: slot 0 and slot 1, the total beside the second.
        row("6m, 2009 and 2012", m, "tab6m", {2012, 2009}, {base + "2009", u"2012 RAZEM"_s});
        // All eight: slot 0, slots 1-6, slot 7 and the total in slot 8.
        row("6n, all eight", n, "tab6n", {2009, 2010, 2011, 2012, 2013, 2014, 2015, 2016},
            {base + "2009", u"2010 2011 2012 2013 2014 2015"_s, u"2016 Suma"_s});
        // Seven: the second block full, the third holds the total alone.
        row("6l products, seven", products, "tab6lprod", {2009, 2010, 2011, 2012, 2013, 2014, 2016},
            {base + "2009", u"2010 2011 2012 2013 2014 2016"_s, u"RAZEM"_s});
        // A switch of another table changes nothing here.
        row("6o, 6n switched", o, "tab6n", {2010}, {base + "Suma"});
    }
    void yearBlocks() {
        QFETCH(QString, table);
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
        const QStringList t = table.split(u'|');
        QCOMPARE(PdfText::headerBlocks(PdfText::linesBetween(text(pages), t[0], t[1]), t[2]),
                 blocks);
    }
    // The totals of a later year's block, and the row names of the sources table.
    void expenditureTotalsUnderLaterYear() {
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
        // The second block starts at its own header line "2012 RAZEM".
        const QStringList table =
            PdfText::linesBetween(text(pages), u"6m. Planowane"_s, u"6n. Źródła"_s);
        qsizetype second = -1;
        for (qsizetype i = 0; i < table.size(); ++i)
            if (PdfText::headerBlocks({table[i]}, u"Kategoria wydatku"_s) ==
                QStringList{u"2012 RAZEM"_s})
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
                 Utils::amountText(grandTotal));
        // The source rows: a child row indented with a dash, the total row as it is.
        const QStringList sources =
            PdfText::linesBetween(text(pages), u"6n. Źródła"_s, u"6o. Profil"_s);
        QCOMPARE(sources.filter(QRegularExpression(u"^\\s*- prywatne\\s"_s)).size(), 1);
        QCOMPARE(sources.filter(QRegularExpression(u"^OGÓŁEM\\s"_s)).size(), 1);
        QVERIFY(sources.filter(u"- OGÓŁEM"_s).isEmpty());
    }
    void trialMarkerAndPages_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("marked");
        QTest::newRow("valid") << "complete.xml" << 0 << false;
        QTest::newRow("warning only") << "cofinancing-warning.xml" << 0 << false;
        QTest::newRow("one finding") << "attachments-missing.xml" << 1 << true;
    }
    void trialMarkerAndPages() {
        QFETCH(QString, file);
        QFETCH(int, exitCode);
        QFETCH(bool, marked);
        const QString in = dir_.filePath(file);
        QVERIFY(QFile::copy(QStringLiteral(TOPAZ_TEST_DATA "/applications/") + file, in));
        const TestSupport::ScopedEnv offscreen("QT_QPA_PLATFORM", "offscreen");
        QCOMPARE(
            TestSupport::runProgram(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"),
                                    {u"print"_s, u"--bin"_s, QStringLiteral(TOPAZ_BIN_DIR), in},
                                    dir_.filePath(u"registry.ini"_s), {}, 60000)
                .exitCode,
            exitCode);
        const QString pdf = dir_.filePath(QFileInfo(file).completeBaseName() + ".pdf");
        const QStringList pages = PdfText::pages(pdf);
        const QString sizes = PdfText::orientations(pdf);
        const int count = int(pages.size());
        QCOMPARE(sizes.size(), count);
        const QString numbering = u"strona %1/"_s + QString::number(count);
        for (int i = 0; i < count; ++i) {
            const QString& page = pages[i];
            QVERIFY2(page.contains(numbering.arg(i + 1)), qPrintable(QString::number(i + 1)));
            QCOMPARE(page.count(u"-- WYDRUK PRÓBNY --"_s), marked ? 1 : 0);
            QVERIFY(page.contains(u"Suma kontrolna: "_s));
            // The money tables are the landscape pages; the others are portrait.
            const bool money = page.contains(u"6m. Planowane"_s) ||
                               page.contains(u"6n. Źródła"_s) || page.contains(u"6o. Profil"_s);
            if (money) QCOMPARE(sizes[i], u'L');
            if (page.contains(u"5. Beneficjent"_s) || page.contains(u"6p. Zgodność"_s))
                QCOMPARE(sizes[i], u'P');
        }
        // One run of landscape pages between the portrait ones.
        QVERIFY(QRegularExpression(u"^P+L{3,}P+$"_s).match(sizes).hasMatch());
    }
    void printRoutineKeepsZmieniony_data() {
        QTest::addColumn<bool>("finding"); // the application has one: a trial print
        QTest::addColumn<bool>("changed");
        QTest::newRow("valid, unchanged") << false << false;
        QTest::newRow("valid, changed") << false << true;
        QTest::newRow("finding, unchanged") << true << false;
    }
    void printRoutineKeepsZmieniony() {
        QFETCH(bool, finding);
        QFETCH(bool, changed);
        ModuleFixture m;
        fillSample(m, finding ? SampleApplication::Variant::AttachmentsMissing
                              : SampleApplication::Variant::Complete);
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
        QCOMPARE(marks.trialPrint, finding);
        QCOMPARE(shown, finding ? 1 : 0);
        // The header prints the checksum of the data as printed.
        QCOMPARE(printedChecksum, ComputeChecksum(*m.dm));
    }
    void dialogs_data() {
        QTest::addColumn<bool>("preview");
        QTest::newRow("preview") << true;
        QTest::newRow("print dialog") << false;
    }
    void dialogs() {
        QFETCH(bool, preview);
        ModuleFixture m;
        fillSample(m);
        bool seen = false, maximized = false, onTop = false;
        int pages = 0;
        double zoom = 0;
        // The dialog runs its own event loop: it is inspected and closed from within it.
        TestSupport::inModalLoop(this, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) return;
            seen = true;
            onTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            maximized = w->windowState().testFlag(Qt::WindowMaximized);
            if (auto* view = w->findChild<QPrintPreviewWidget*>()) {
                pages = view->pageCount();
                zoom = view->zoomFactor();
            }
            static_cast<QDialog*>(w)->reject();
        });
        showPrintOutput(preview ? PrintDevice::Screen : PrintDevice::Printer, *m.dm,
                        PrintMarks{true, u"1111-2222-3333-4444"_s}, nullptr);
        QVERIFY(seen); // a modal dialog
        QCOMPARE(maximized, preview);
        QCOMPARE(onTop, !preview);
        if (preview) {
            QVERIFY(pages > 3);
            QCOMPARE(qRound(zoom * 100), 85);
        }
    }
    // A printer cannot change its page layout within a document: the landscape pages are
    // drawn turned on portrait paper, and the page count stays that of the PDF.
    void printerTurnsLandscapePages() {
        ModuleFixture m;
        fillSample(m);
        const PrintMarks marks{false, u"1111-2222-3333-4444"_s};
        const int pages = int(printPages(*m.dm).size());
        QVERIFY(pages > 0);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString turned = dir_.filePath(u"turned.pdf"_s);
        printer.setOutputFileName(turned);
        QCOMPARE(
            renderApplication(*m.dm, marks, printer, ReportRenderer::PageTurn::OnPortraitPaper),
            pages);
        QCOMPARE(PdfText::orientations(turned), QString(pages, u'P'));
        // The turned pages carry the same numbering.
        QVERIFY(PdfText::pages(turned).last().contains(u"strona %1/%1"_s.arg(pages)));
    }
    // Every value the editor shows is on paper: each field of the frame tables gets a marker of
    // its own in every record (lists and repeating blocks have several) — texts, amounts,
    // numbers, dates and names chosen from dictionaries — and the printout must hold them
    // all, but for the few exceptions named with their reasons. A check box or a radio group
    // prints differently for each of its values.
    void everyShownValueIsPrinted() {
        const QHash<QString, QString> exceptions = {
            {"dsEtapyRealizacji.TERMIN_ROZP_TMP", "the month text the editor types a stage's "
                                                  "start in; the paper prints the date it sets"},
            {"dsEtapyRealizacji.TERMIN_ZAK_TMP", "the same for the stage's end"},
        };
        ModuleFixture m;
        fillSample(m);
        QStringList expected, where;
        std::vector<ShownField> choices;
        QSet<QString> keysSet;
        int n = 0;
        m.dm->Wczytywanie = true; // the markers are data, not typing: no rule runs
        for (const ShownField& f : shownFields()) {
            if (exceptions.contains(f.table + u'.' + f.field)) continue;
            if (!f.choices.empty()) {
                choices.push_back(f);
                continue;
            }
            DataSet& t = m.dm->table(f.table);
            withRows(t, f.list ? 2 : 0); // a block the answers close is printed when it has rows
            Field& field = t.field(f.field);
            for (t.first(); !t.eof(); t.next()) {
                t.edit();
                const QString value = putMarker(n++, f, *m.dm, t, field, keysSet);
                t.post();
                if (value.isEmpty()) continue;
                expected << value;
                where << u"%1.%2 (%3, rekord %4)"_s.arg(f.table, f.field, f.control).arg(t.recNo());
            }
        }
        QVERIFY2(expected.size() > 100, qPrintable(QString::number(expected.size())));
        const QString printed = flat(text(printPages(*m.dm)));
        QStringList missing;
        for (int i = 0; i < expected.size(); ++i)
            if (!printed.contains(expected[i])) missing << where[i] + u": "_s + expected[i];

        // Each value of a check box or radio group, in the first record, prints differently
        // from the others, the other fields keeping their first value. The rules are detached,
        // so that no answer shows through another field it changes.
        for (const auto& table : m.dm->tables())
            for (const auto& field : table->fields())
                field->onChange = nullptr;
        const auto set = [&](const ShownField& f, const QString& value) {
            DataSet& t = m.dm->table(f.table);
            withRows(t, 1);
            t.first();
            Field& field = t.field(f.field);
            const bool readOnly = field.isReadOnly(); // another answer may have locked it
            field.setReadOnly(false);
            t.edit();
            field.setValue(value);
            t.post();
            field.setReadOnly(readOnly);
        };
        for (const ShownField& f : choices)
            set(f, f.choices.front());
        const QString first = flat(text(printPages(*m.dm)));
        for (const ShownField& f : choices) {
            QSet<QString> prints{first};
            for (size_t i = 1; i < f.choices.size(); ++i) {
                set(f, f.choices[i]);
                prints.insert(flat(text(printPages(*m.dm))));
            }
            set(f, f.choices.front());
            if (prints.size() != int(f.choices.size()))
                missing << u"%1.%2 (%3): %4 values, %5 printouts"_s.arg(f.table, f.field, f.control)
                               .arg(f.choices.size())
                               .arg(prints.size());
        }
        m.dm->Wczytywanie = false;
        QVERIFY2(missing.isEmpty(), qPrintable(u"%1 of %2 not printed:\n"_s.arg(missing.size())
                                                   .arg(expected.size() + choices.size()) +
                                               missing.join(u'\n')));
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
