// The mortgage and loan reports on the recording printer. The tables are filled by hand where a
// test needs exact figures or a number of rows the engine would not give, and by the engine for
// whole reports. Expected lines are worked out from the report's layout: columns count from 1,
// so a text at column c has c - 1 blanks before it.
#include "core/format/shortdate.h"
#include "core/print/textprinter.h"
#include "core/reports/tablereport.h"
#include "core/state/calculation.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

using namespace qb;

namespace {

QString spaces(int count) {
    return QString(count, u' ');
}

const QString kRule = " " + QString(75, u'_');
const QString kHeading1 =
    "  Payment    Interest   Principal     Remaining    Cumulative     Cumulative";

// A table of rows made up for the layout: row i pays i, the balance falls from 100,000.00.
SharedState handFilledState(int view, int rows, double yearsToRetire = 0) {
    SharedState state;
    SizeCalculationTables(state);
    state.LastSchedule.rows.size(2100, 7);
    state.CurrencySymbol = "$";
    state.TableView = std::int16_t(view);
    state.InputValues[1] = Currency::fromDouble(100000);
    state.InputValues[2] = Currency::fromDouble(10);
    state.InputValues[3] = Currency::fromDouble(25);
    for (int i = 1; i <= rows; ++i) {
        state.LastSchedule.rows.at(i, 0) = Currency::fromDouble((i - 1) / 12 + 1);
        state.LastSchedule.rows.at(i, 1) = Currency::fromDouble(i);
        state.LastSchedule.rows.at(i, 2) = Currency::fromDouble(100 + i);
        state.LastSchedule.rows.at(i, 3) = Currency::fromDouble(200 + i);
        state.LastSchedule.rows.at(i, 4) = Currency::fromDouble(100000 - 10 * i);
        state.LastSchedule.rows.at(i, 5) = Currency::fromDouble(1000 + i);
        state.LastSchedule.rows.at(i, 6) = Currency::fromDouble(2000 + i);
    }
    state.LastSchedule.input.view = view;
    state.LastSchedule.tableRows = rows;
    state.LastSchedule.dataCount = view == 2 ? rows + 1 : rows;
    state.LastSchedule.figures.yearsToRetire = view == 2 ? rows / 12.0 : yearsToRetire;
    return state;
}

TableReportFigures monthlyFigures() {
    TableReportFigures figures;
    figures.principal = 100000;
    figures.rate = 10;
    figures.term = 25;
    figures.compounding = "      Monthly";
    figures.frequency = "      Monthly";
    figures.daysInYear = "Normal";
    figures.periodicRate = 0.00833333;
    figures.paymentsPerYear = 12;
    figures.timeToFinalPayment = 25;
    figures.payment = 908.70;
    figures.totalPaid = Currency::fromDouble(272609.85);
    return figures;
}

// The pages of a report; 240 twips a line gives 58 lines a page.
QList<QStringList> print(SharedState& state,
                         const TableReportLayout& layout = MortgageTableReport(),
                         const TableReportFigures& figures = monthlyFigures(),
                         double lineHeight = 240) {
    TextPrinter printer(lineHeight);
    PrintTable(layout, figures, state.LastSchedule, state, printer);
    return printer.pages();
}

// The table rows of a page: lines that start with a row's first column.
QStringList rowsOf(const QStringList& page) {
    static const QRegularExpression row(R"(^ {1,5}\d+ .*\.\d\d\s*$)");
    QStringList rows;
    for (const QString& line : page) {
        if (row.match(line).hasMatch())
            rows << line;
    }
    return rows;
}

QList<int> rowCounts(const QList<QStringList>& pages) {
    QList<int> counts;
    for (const QStringList& page : pages)
        counts << int(rowsOf(page).size());
    return counts;
}

} // namespace

class TestTableReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void firstPage();
    void rowsPerPage_data();
    void rowsPerPage();
    void pageEnds();
    void yearlyRows_data();
    void yearlyRows();
    void firstColumn_data();
    void firstColumn();
    void amounts_data();
    void amounts();
    void loanReport();
    void appliedPayments_data();
    void appliedPayments();
};

void TestTableReport::firstPage() {
    SharedState state = handFilledState(2, 3);
    state.ReportHeader = "Smith, 12 Elm St";
    const QStringList page = print(state).first();
    const QStringList expected = {
        "",
        "",
        " Smith, 12 Elm St",
        "",
        spaces(31) + " Mortgage Table",
        kRule,
        "",
        " Principal      Annual        Amortization   Interest           Frequency",
        " amount of      interest      period in      compounding        and type of",
        " mortgage.      rate(%).      years.         periods in year.   each payment",
        "",
        " $100,000.00    10.00%        25                Monthly              Monthly",
        kRule,
        "",
        " Days   Interest    No. of     No. years  Principal   Total paid    Total of",
        " in     rate        payments   to final   + Interest  over life     interest",
        " year   factor      each year  payment    payment     of mortgage   savings",
        "",
        " Normal 0.00833333  12.00      25.00      $908.70    $272,609.85        $.00",
        kRule,
        "",
        kHeading1,
        " No. Year     Payment     Payment       Balance      Interest      Principal",
        kRule,
        "",
        "    1  1       101.00      201.00     99,990.00      1,001.00       2,001.00",
        "    2  1       102.00      202.00     99,980.00      1,002.00       2,002.00",
        "    3  1       103.00      203.00     99,970.00      1,003.00       2,003.00",
        kRule,
        "",
        " Total:                              $99,970.00     $1,003.00      $2,003.00",
    };
    QCOMPARE(page, expected);
}

// With 58 lines a page the counter is at 27 before the first row and 7 after each break.
void TestTableReport::rowsPerPage_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<double>("lineHeight");
    QTest::addColumn<QList<int>>("counts");

    QTest::newRow("300 payments, 58 lines")
        << 300 << 240.0 << QList<int>{31, 51, 51, 51, 51, 51, 14};
    QTest::newRow("first page just full") << 31 << 240.0 << QList<int>{31, 0};
    QTest::newRow("one row short of a break") << 30 << 240.0 << QList<int>{30};
    QTest::newRow("second page just full") << 82 << 240.0 << QList<int>{31, 51, 0};
    // 15840 / 264 - 8 = 52 lines: 25 rows on the first page, 45 on the next.
    QTest::newRow("52 lines") << 100 << 264.0 << QList<int>{25, 45, 30};
}

void TestTableReport::rowsPerPage() {
    QFETCH(int, rows);
    QFETCH(double, lineHeight);
    QFETCH(QList<int>, counts);

    SharedState state = handFilledState(2, rows);
    const QList<QStringList> pages =
        print(state, MortgageTableReport(), monthlyFigures(), lineHeight);
    QCOMPARE(rowCounts(pages), counts);
    // Every payment row once, in order.
    QStringList all;
    for (const QStringList& page : pages)
        all << rowsOf(page);
    QCOMPARE(all.size(), rows);
    QVERIFY(all.last().startsWith(QStringLiteral("%1 ").arg(rows, 5)));
}

void TestTableReport::pageEnds() {
    SharedState state = handFilledState(2, 100);
    const QList<QStringList> pages = print(state);
    QCOMPARE(pages.size(), 3);
    for (int p = 0; p < 2; ++p) {
        const QStringList& page = pages[p];
        QCOMPARE(page.mid(page.size() - 3),
                 (QStringList{"", "", spaces(39) + "Page " + QString::number(p + 1) + " "}));
    }
    // A new page starts with the font's empty line, its own empty line and the headings.
    QCOMPARE(pages[1].mid(0, 6),
             (QStringList{"", "", kHeading1,
                          " No. Year     Payment     Payment       Balance      Interest      "
                          "Principal",
                          kRule, ""}));
    // The last page has no page line.
    for (const QString& line : pages[2])
        QVERIFY(!line.contains("Page"));
}

void TestTableReport::yearlyRows_data() {
    QTest::addColumn<double>("yearsToRetire");
    QTest::addColumn<int>("rows");

    QTest::newRow("24") << 24.0 << 24;
    QTest::newRow("24.02") << 24.02 << 25;
    QTest::newRow("24.5") << 24.5 << 25;
    QTest::newRow("0.5") << 0.5 << 1;
}

void TestTableReport::yearlyRows() {
    QFETCH(double, yearsToRetire);
    QFETCH(int, rows);

    SharedState state = handFilledState(1, 30, yearsToRetire);
    const QList<QStringList> pages = print(state);
    QCOMPARE(rowsOf(pages.first()).size(), rows);
    QCOMPARE(pages.first()[22], QStringLiteral("   Year       Payment     Payment       Balance "
                                               "     Interest      Principal"));
    // The totals are those of the last row printed.
    QVERIFY(pages.last().last().endsWith(
        QStringLiteral("$2,%1.00").arg(rows, 3, 10, QLatin1Char('0'))));
}

void TestTableReport::firstColumn_data() {
    QTest::addColumn<int>("view");
    QTest::addColumn<bool>("dates");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("row");

    QTest::newRow("every payment")
        << 2 << false
        << " No. Year     Payment     Payment       Balance      Interest      Principal"
        << "   14  2       114.00      214.00     99,860.00      1,014.00       2,014.00";
    QTest::newRow("yearly")
        << 1 << false
        << "   Year       Payment     Payment       Balance      Interest      Principal"
        << "    14         114.00      214.00     99,860.00      1,014.00       2,014.00";
    QTest::newRow("by date")
        << 2 << true
        << "    Date      Payment     Payment       Balance      Interest      Principal"
        << " 12/31/2049    114.00      214.00     99,860.00      1,014.00       2,014.00";
}

void TestTableReport::firstColumn() {
    QFETCH(int, view);
    QFETCH(bool, dates);
    QFETCH(QString, heading);
    QFETCH(QString, row);

    SharedState state = handFilledState(view, 20, 20);
    if (dates) {
        state.LastSchedule.input.showDates = true;
        state.LastSchedule.rows.at(14, 7) = Currency::fromDouble(DateToSerial(QDate(2049, 12, 31)));
    }
    const QStringList page = print(state).first();
    QCOMPARE(page[22], heading);
    QCOMPARE(page[25 + 13], row);
}

// Amounts are never cut and have no leading zero; the field starts one blank after the text
// before it when it is too wide for its column.
void TestTableReport::amounts_data() {
    QTest::addColumn<double>("interest");
    QTest::addColumn<double>("balance");
    QTest::addColumn<double>("totalPaid");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("results");

    QTest::newRow("below 1 and zero")
        << 0.75 << 0.0 << 200000.0
        << "    1  1          .75      201.00           .00      1,001.00       2,001.00"
        << " Normal 0.00833333  12.00      25.00      $908.70    $200,000.00        $.00";
    QTest::newRow("1,200,000.00 total paid whole")
        << 12.5 << 1200000.0 << 1200000.0
        << "    1  1        12.50      201.00  1,200,000.00      1,001.00       2,001.00"
        << " Normal 0.00833333  12.00      25.00      $908.70  $1,200,000.00        $.00";
    QTest::newRow("wide interest keeps a blank after the first column")
        << 123456789.0 << 10.0 << 1.0
        << "    1  1 123,456,789.00    201.00         10.00      1,001.00       2,001.00"
        << " Normal 0.00833333  12.00      25.00      $908.70          $1.00        $.00";
}

void TestTableReport::amounts() {
    QFETCH(double, interest);
    QFETCH(double, balance);
    QFETCH(double, totalPaid);
    QFETCH(QString, row);
    QFETCH(QString, results);

    SharedState state = handFilledState(2, 1);
    state.LastSchedule.rows.at(1, 2) = Currency::fromDouble(interest);
    state.LastSchedule.rows.at(1, 4) = Currency::fromDouble(balance);
    TableReportFigures figures = monthlyFigures();
    figures.totalPaid = Currency::fromDouble(totalPaid);
    const QStringList page = print(state, MortgageTableReport(), figures).first();
    QCOMPARE(page[18], results);
    QCOMPARE(page[25], row);
}

// 20,000 over 30 months at 10 %: the table ends on line 57 of the first page, so the loan's
// ending breaks the page and leaves a page of headings alone.
void TestTableReport::loanReport() {
    SharedState state;
    SizeCalculationTables(state);
    state.CurrencySymbol = "$";
    state.TableView = 2;
    state.InputValues[1] = Currency::fromDouble(20000);
    state.InputValues[2] = Currency::fromDouble(10);
    state.InputValues[3] = Currency::fromDouble(2.5);
    Calculate(state, kFrequencies[0].text, kCompoundings[0].text);
    const TableReportFigures figures =
        TableReportFigures::of(LoanTableReport(), state.LastSchedule, state);
    // A 9-character interest in the loan's 8-character column is not cut.
    state.LastSchedule.rows.at(1, 2) = Currency::fromDouble(12345.67);

    const QList<QStringList> pages = print(state, LoanTableReport(), figures);
    QCOMPARE(pages.size(), 2);
    const QStringList& first = pages.first();
    QCOMPARE(first[4], spaces(31) + " Personal Loan Table");
    QCOMPARE(first[9], QStringLiteral(" the loan.      rate(%).      in months.     periods in "
                                      "year.   each payment"));
    QCOMPARE(first[11].left(33), QStringLiteral("  $20,000.00    10.00%        30 "));
    QCOMPARE(first[14], QStringLiteral(" Days   Interest    No. of     No. months Principal   "
                                       "Total paid    Total of"));
    QCOMPARE(first[18].left(36), QStringLiteral(" Normal 0.00833333  12.00      30.00"));
    QVERIFY(first[25].startsWith("    1  1    12,345.67 "));
    QCOMPARE(rowsOf(first).size(), 30);
    QCOMPARE(first.mid(first.size() - 3), (QStringList{"", "", spaces(39) + "Page 1 "}));
    // No font is set after the break, so the page starts with the headings' own empty line.
    QCOMPARE(pages[1], (QStringList{"", kHeading1,
                                    " No. Year     Payment     Payment       Balance      "
                                    "Interest      Principal",
                                    kRule, ""}));
}

// The block lists one applied payment; it goes on a new page when 1 + 4 + the line counter
// passes 57: after 20 yearly rows the counter is 47, after 27 it is 54.
void TestTableReport::appliedPayments_data() {
    QTest::addColumn<int>("years");
    QTest::addColumn<bool>("loan");
    QTest::addColumn<int>("pages");

    QTest::newRow("mortgage, room left") << 20 << false << 1;
    QTest::newRow("mortgage, page break first") << 27 << false << 2;
    QTest::newRow("loan, page break first") << 27 << true << 2;
}

void TestTableReport::appliedPayments() {
    QFETCH(int, years);
    QFETCH(bool, loan);
    QFETCH(int, pages);

    SharedState state = handFilledState(1, years, years);
    RecordAppliedPayments(state, {{2, Currency::fromDouble(5000)}});
    QCOMPARE(state.PrePayApplied, 1);
    const QList<QStringList> printed =
        print(state, loan ? LoanTableReport() : MortgageTableReport());
    QCOMPARE(printed.size(), pages);
    const QStringList& last = printed.last();
    QCOMPARE(last.mid(last.size() - 5),
             (QStringList{"", " Additional  Payments     Applied", "",
                          spaces(8) + "2" + spaces(16) + "5,000.00", ""}));
    if (pages == 2) {
        QCOMPARE(printed.first().last(), spaces(39) + "Page 1 ");
        // The mortgage sets the font again after the break, with its empty line; the loan not.
        QCOMPARE(last.indexOf(kHeading1), loan ? 1 : 2);
    }
}

QTEST_GUILESS_MAIN(TestTableReport)
#include "tst_tablereport.moc"
