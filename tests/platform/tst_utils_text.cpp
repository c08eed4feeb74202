#include <QtTest>

#include "platform/utils/amount.h"
#include "platform/utils/datetext.h"
#include "platform/utils/montharithmetic.h"
#include "platform/utils/monthtext.h"
#include "platform/utils/numbertext.h"
#include "tests/amount_cases.h"

#include <optional>

using namespace Qt::StringLiterals;

using namespace Utils;

Q_DECLARE_METATYPE(std::optional<QDate>)
Q_DECLARE_METATYPE(Utils::LocalFormats)

namespace {

// The standard formats with another short date pattern, its third character the separator.
LocalFormats dates(const QString& pattern) {
    LocalFormats f;
    f.shortDatePattern = pattern;
    f.dateSeparator = pattern.at(2);
    return f;
}

LocalFormats pointDecimal() {
    LocalFormats f;
    f.decimalSeparator = u'.';
    return f;
}

} // namespace

class TestUtilsText : public QObject {
    Q_OBJECT
private slots:
    // Whole months between two dates (a day cut back at a month's end stays cut back), and
    // the last day of a date's month; -1 and an invalid date for what has no answer.
    void months_data() {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<int>("months");
        QTest::addColumn<QDate>("last"); // of the start's month
        auto row = [](const char* name, QDate start, QDate end, int months, QDate last) {
            QTest::newRow(name) << start << end << months << last;
        };
        row("day cut back stays cut back", {2005, 1, 31}, {2005, 3, 1}, 1, {2005, 1, 31});
        row("cut back day reaches end only later", {2005, 1, 31}, {2005, 3, 29}, 2, {2005, 1, 31});
        row("equal dates, already the last day", {2006, 4, 30}, {2006, 4, 30}, 0, {2006, 4, 30});
        row("same month", {2006, 5, 1}, {2006, 5, 31}, 0, {2006, 5, 31});
        row("exactly one month", {2006, 5, 10}, {2006, 6, 10}, 0, {2006, 5, 31});
        row("one month and a day", {2006, 5, 10}, {2006, 6, 11}, 1, {2006, 5, 31});
        row("start after end", {2006, 5, 11}, {2006, 5, 10}, -1, {2006, 5, 31});
        row("multi-year span, leap February", {2008, 2, 10}, {2012, 7, 1}, 52, {2008, 2, 29});
        row("common February", {2007, 2, 1}, {2007, 3, 1}, 0, {2007, 2, 28});
        row("December", {2008, 12, 5}, {2009, 1, 6}, 1, {2008, 12, 31});
        row("invalid start", QDate(), {2006, 1, 1}, -1, QDate());
    }
    void months() {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(int, months);
        QFETCH(QDate, last);
        QCOMPARE(Utils::monthsBetween(start, end), months);
        QCOMPARE(Utils::endOfMonth(start), last);
    }

    void textToNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pointIsLocal");
        QTest::addColumn<std::optional<double>>("number");
        auto row = [](const char* text, std::optional<double> number, bool pointIsLocal = false) {
            QTest::addRow("%s%s", text, pointIsLocal ? ", point locale" : "")
                << text << pointIsLocal << number;
        };
        row("1200,5", 1200.5);
        row("1200.5", 1200.5); // foreign point
        row("1.200.5", {});    // only the first point replaced
        row(" -0.25 ", -0.25); // blanks
        row("1E20", 1e20);     // the exponent as written in files
        row("1 200,5", {});    // thousands blank
        row("12a", {});
        row("", {});
        row("inf", {});
        row("1200,5", 1200.5, true);
        row("1200.5", 1200.5, true);
        row("1,200,5", {}, true);
    }
    void textToNumber() {
        QFETCH(QString, text);
        QFETCH(bool, pointIsLocal);
        QFETCH(std::optional<double>, number);
        const auto got =
            Utils::textToNumber(text, pointIsLocal ? pointDecimal() : LocalFormats::standard());
        QCOMPARE(got.has_value(), number.has_value());
        if (number) QCOMPARE(*got, *number);
    }

    // The shared table: what a typed amount stores and shows, and that the shown text
    // reads back as the same value.
    void amounts_data() { AmountCases::addRows(); }
    void amounts() {
        QFETCH(QString, typed);
        QFETCH(std::optional<double>, stored);
        QFETCH(QString, shown);
        const std::optional<double> got = Utils::parseCents(typed);
        QCOMPARE(got.has_value(), stored.has_value());
        if (!stored) return;
        QCOMPARE(*got, *stored);
        const Utils::AmountFormat currency(Utils::kCurrencyPattern);
        QCOMPARE(currency.format(*got), shown);
        // Showing the unrounded value rounds the same way; the printout's pattern agrees.
        QCOMPARE(currency.format(Utils::parseAmount(typed).value()), shown);
        QCOMPARE(Utils::amountText(*got), shown);
        QCOMPARE(Utils::parseCents(shown), got);
    }

    // Patterns of the grids and the printout, and values that are not numbers.
    void amountPatterns_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, const QString& pattern, const QVariant& v, const char* t) {
            QTest::newRow(name) << pattern << v << QString::fromUtf8(t);
        };
        row("indicator", Utils::kAmountPattern, 1234567.891, "1 234 567,89");
        row("total", Utils::kTotalPattern, -1234.5, "-1 234,50");
        row("counts", Utils::kCountPattern, 999.5, "1 000");
        row("no grouping, optional decimal", u"0.0#"_s, 1234.5, "1234,5");
        row("no integer digit", u".00"_s, 0.25, ",25");
        row("tiny negative", Utils::kCurrencyPattern, -0.001, "0,00");
        row("null", Utils::kAmountPattern, QVariant(), "");
        row("blank text", Utils::kAmountPattern, u" "_s, "");
        row("number text", Utils::kAmountPattern, u"2675,5"_s, "2 675,50");
        row("not finite", Utils::kAmountPattern, qInf(), "0,00");
        row("beyond 15 digits", Utils::kAmountPattern, 1e20, "100 000 000 000 000 000 000,00");
    }
    void amountPatterns() {
        QFETCH(QString, pattern);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QCOMPARE(Utils::AmountFormat(pattern).format(value), text);
    }

    void normaliseDateText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("source");
        QTest::addColumn<LocalFormats>("formats");
        QTest::addColumn<QString>("expected");
        const LocalFormats std = LocalFormats::standard(), dayFirst = dates(u"dd/MM/yyyy"_s);
        auto row = [](const char* name, const char* text, const char* source,
                      const LocalFormats& formats, const char* expected) {
            QTest::newRow(name) << text << source << formats << expected;
        };
        // The module's own, day-first and hyphenated file patterns are read in tst_application_xml.
        row("two-digit source year gets 20", "31-03-05", "dd-MM-yy", std, "2005.03.31");
        row("to day-first local", "2005.03.31", "yyyy.MM.dd", dayFirst, "31/03/2005");
        row("to two-digit local year", "2005.03.31", "yyyy.MM.dd", dates(u"dd-MM-yy"_s),
            "31-03-05");
        row("to year-first two-digit local", "31.03.2005", "dd.mm.yyyy", dates(u"yy.MM.dd"_s),
            "05.03.31");
        row("conversion error keeps step 1", "2005/3/31", "yyyy-mm-dd", std, "2005.3.31");
        row("short text keeps step 1", "2005-03", "yyyy-mm-dd", std, "2005.03");
        row("pattern without day", "2005-03-31", "yyyy-mm", std, "2005.03.31");
        row("empty text", "", "yyyy.MM.dd", std, "");
        row("no source: day-first to year-first", "05/03/2006", "", std, "2006.03.05");
        row("no source: year-first stays", "2006-03-05", "", std, "2006.03.05");
        row("no source: year-first to day-first", "2006.03.05", "", dayFirst, "05/03/2006");
        row("no source: day-first stays", "05.03.2006", "", dayFirst, "05/03/2006");
        row("no source: not 10 characters", "5.3.2006", "", std, "5.3.2006");
    }
    void normaliseDateText() {
        QFETCH(QString, text);
        QFETCH(QString, source);
        QFETCH(LocalFormats, formats);
        QFETCH(QString, expected);
        QCOMPARE(Utils::normaliseDateText(text, source, formats), expected);
    }

    void monthTextToDate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<QDate>>("date");
        auto row = [](const char* text, std::optional<QDate> date = {}) {
            QTest::newRow(*text ? text : "empty") << text << date;
        };
        row("03-2006", QDate(2006, 3, 1));
        row("12 2015", QDate(2015, 12, 1));   // the mask's blank separator
        row("03/2006xyz", QDate(2006, 3, 1)); // trailing text ignored
        for (const char* refused : {"3-2006", "13-2006", "00 2008", "05 0000", "1  2008", "05 20  ",
                                    "+1 2008", "__ ____", "03-20a6", "ab 2008", ""})
            row(refused);
    }
    void monthTextToDate() {
        QFETCH(QString, text);
        QFETCH(std::optional<QDate>, date);
        QCOMPARE(Utils::monthTextToDate(text), date);
    }
};

QTEST_GUILESS_MAIN(TestUtilsText)
#include "tst_utils_text.moc"
