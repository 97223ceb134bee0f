// Comparison rows worked out from the window's start values and a few changes: the texts of the
// grid and the report line, the days and rate labels, the row limit, additional payments that are
// or are not applied, and fields too wide for their column.
#include "core/reports/comparisonreport.h"
#include "core/reports/tablereport.h"
#include "core/settings/daysperyear.h"
#include "core/state/comparison.h"

#include <QTest>

using namespace qb;

namespace {

Currency cell(double value) {
    return Currency::fromDouble(value);
}

} // namespace

class TestComparison : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();

    void rowFromStartValues_data();
    void rowFromStartValues();
    void daysLabel_data();
    void daysLabel();
    void thirteenthRowIsRefused();
    void fortyOneYearsIsRefusedBeforeTheRowLimit();
    void additionalPaymentsTakeTheNextColumn();
    void fieldsNeverCutAnAmount_data();
    void fieldsNeverCutAnAmount();
    void largeAmountsKeepTheirBlanks();

private:
    ComparisonRow calculate(const QString& frequency = QStringLiteral("      Monthly"),
                            const QString& compounding = QStringLiteral("      Monthly")) {
        return AddComparisonRow(
            m_state, m_table,
            LoanInputFrom(m_state, frequency, compounding, ScheduleKind::Comparison));
    }
    void setExtra(int year, double amount) {
        m_state.PrePayTable.at(year, 1) = cell(year);
        m_state.PrePayTable.at(year, 2) = cell(amount);
    }

    SharedState m_state;
    ComparisonTable m_table;
};

void TestComparison::init() {
    m_state = SharedState();
    ApplyDaysPerYear(m_state, kDefaultDayFactorChoice);
    m_state.CurrencySymbol = QStringLiteral("$");
    LoadComparison(m_state, m_table);
    m_state.InputValues[1] = cell(100000);
    m_state.InputValues[2] = cell(10);
    m_state.InputValues[3] = cell(25);
}

void TestComparison::rowFromStartValues_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("compounding");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("reportLine");
    QTest::addColumn<double>("chartInterest");

    QTest::newRow("monthly") << "      Monthly"
                             << "      Monthly"
                             << QStringList{"01 M 1m  ",   "25",     "25.00",   "12 ",
                                            "$100,000.00", "10.00%", "$908.70", "$172,609.85"}
                             << " 01 M 1m     25    25.00   12     $100,000.00  10.00%    $908.70"
                                "  $172,609.85\r\n\r\n"
                             << 172609.85;
    QTest::newRow("biweekly accelerated")
        << " Biweekly(Acc)"
        << "      Monthly" << QStringList{"01 M b(a)",   "25",     "18.62",   "26 ",
                                          "$100,000.00", "10.00%", "$454.35", "$119,711.31"}
        << " 01 M b(a)   25    18.62   26     $100,000.00  10.00%    $454.35  $119,711.31\r\n\r\n"
        << 119711.31;
    QTest::newRow("semiannual") << "      Monthly"
                                << "   Semiannual"
                                << QStringList{"01 S 1m  ",   "25",     "25.00",   "12 ",
                                               "$100,000.00", "10.00%", "$894.49", "$168,346.59"}
                                << " 01 S 1m     25    25.00   12     $100,000.00  10.00%    "
                                   "$894.49  $168,346.59\r\n\r\n"
                                << 168346.59;
}

void TestComparison::rowFromStartValues() {
    QFETCH(QString, frequency);
    QFETCH(QString, compounding);
    QFETCH(QStringList, cells);
    QFETCH(QString, reportLine);
    QFETCH(double, chartInterest);

    const ComparisonRow row = calculate(frequency, compounding);
    const std::array<QString, 8> rowCells = ComparisonRowCells(row, m_state.CurrencySymbol);
    QCOMPARE(QStringList(rowCells.begin(), rowCells.end()), cells);
    QCOMPARE(ComparisonReportLine(row, m_state.CurrencySymbol), reportLine);
    QCOMPARE(reportLine.size(), 77 + 4);
    QCOMPARE(m_state.ReportLines[1], reportLine);
    QCOMPARE(m_table.RowCount, 1);
    QCOMPARE(m_state.DataCount, 1);
    QCOMPARE(m_state.ChartTitle, QStringLiteral(" Total mortgage interest paid"));
    QCOMPARE(m_state.ChartData.at(1, 1).toString(), QStringLiteral("Row  1"));
    // The chart takes the loop's own sum, which the cell rounds to the cent shown.
    QVERIFY2(qAbs(m_state.ChartData.at(1, 5).toDouble() - chartInterest) < 0.005,
             qPrintable(m_state.ChartData.at(1, 5).toString()));
    QCOMPARE(row.prePayColumn, -1);
    QCOMPARE(m_table.MaxPrePayCount, 0);
}

void TestComparison::daysLabel_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("basis");
    QTest::addColumn<QString>("shown");
    QTest::newRow("2 weeks, 365") << "      2 Weeks"
                                  << "365"
                                  << "365";
    QTest::newRow("2 weeks, 365.25") << "      2 Weeks"
                                     << "365.25"
                                     << "365.25";
    QTest::newRow("monthly, 365.25") << "      Monthly"
                                     << "365.25"
                                     << "Normal";
    QTest::newRow("monthly, 360") << "      Monthly"
                                  << "360"
                                  << "Normal";
}

void TestComparison::daysLabel() {
    QFETCH(QString, frequency);
    QFETCH(QString, basis);
    QFETCH(QString, shown);
    ApplyDaysPerYear(m_state, FindDaysPerYearChoice(basis));
    const ComparisonRow row = calculate(frequency);
    QCOMPARE(DaysInYearCaption(m_state, row.calculation), shown);
}

void TestComparison::thirteenthRowIsRefused() {
    for (int i = 1; i <= 12; ++i)
        QCOMPARE(calculate().number, i);
    const QString lines = m_state.ReportLines[1];
    m_state.DataCount = 0; // as after a change of input
    QVERIFY_THROWS_EXCEPTION(RowLimitError, calculate());
    QCOMPARE(m_table.RowCount, 12);
    QCOMPARE(m_state.DataCount, 12);
    QCOMPARE(m_state.ReportLines[1], lines);
    QCOMPARE(QString::fromLatin1(RowLimitError().userMessage()), QStringLiteral("12 row limit."));
}

void TestComparison::fortyOneYearsIsRefusedBeforeTheRowLimit() {
    for (int i = 1; i <= 12; ++i)
        calculate();
    m_state.InputValues[3] = cell(41);
    QVERIFY_THROWS_EXCEPTION(TermLimitError, calculate());
    QCOMPARE(m_state.DataCount, 0);
    QCOMPARE(m_table.RowCount, 12);
}

// A payment too large to apply earns no asterisk and no column; rows that apply payments take
// the next column each, and the columns' texts are what the report and the lower grid list.
void TestComparison::additionalPaymentsTakeTheNextColumn() {
    setExtra(2, 200000);
    ComparisonRow row = calculate();
    QCOMPARE(ComparisonRowCells(row, m_state.CurrencySymbol)[2], QStringLiteral("25.00"));
    QCOMPARE(row.prePayColumn, -1);
    QCOMPARE(m_table.PrePayColumn, 0);
    QCOMPARE(m_table.PrePayGridCols, 5);

    m_state.PrePayTable.size(45, 2);
    setExtra(3, 5000);
    setExtra(5, 10000);
    row = calculate();
    QCOMPARE(row.number, 2);
    QVERIFY(ComparisonRowCells(row, m_state.CurrencySymbol)[2].startsWith(u'*'));
    QVERIFY(ComparisonReportLine(row, m_state.CurrencySymbol).mid(15, 4) == QStringLiteral("   *"));
    QCOMPARE(row.prePayColumn, 0);
    QCOMPARE(m_table.PrePayYearText.at(0, 0), QStringLiteral("  2"));
    QCOMPARE(m_table.PrePayAmountText.at(0, 0), QStringLiteral("  Row  "));
    QCOMPARE(m_table.PrePayYearText.at(1, 0), QStringLiteral("  3"));
    QCOMPARE(m_table.PrePayAmountText.at(1, 0), QStringLiteral("  5,000.00"));
    QCOMPARE(m_table.PrePayYearText.at(2, 0), QStringLiteral("  5"));
    QCOMPARE(m_table.PrePayAmountText.at(2, 0), QStringLiteral(" 10,000.00"));
    QCOMPARE(m_table.PrePayGridCols, 2);
    QCOMPARE(m_table.PrePayGridRows, 4);
    QCOMPARE(m_table.MaxPrePayCount, 2);
    QCOMPARE(m_table.BandLines[0], 2);

    m_state.PrePayTable.size(45, 2);
    setExtra(1, 1000);
    row = calculate();
    QCOMPARE(row.prePayColumn, 1);
    QCOMPARE(m_table.PrePayGridCol, 4);
    QCOMPARE(m_table.PrePayGridCols, 4);
    QCOMPARE(m_table.PrePayGridRows, 4); // the largest count so far
    QCOMPARE(m_table.LastPrePayColumn, 1);
}

void TestComparison::fieldsNeverCutAnAmount_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("result");
    QTest::newRow("fits") << "x"
                          << "abc" << 5 << "x  abc";
    QTest::newRow("fills its field") << "x"
                                     << "abcde" << 5 << "x abcde";
    QTest::newRow("grows into the blanks") << "x   "
                                           << "$10,000,000.00" << 13 << "x  $10,000,000.00";
    QTest::newRow("touches the payment") << " $1,174.35"
                                         << "$1,329,755.61" << 13 << " $1,174.35 $1,329,755.61";
    QTest::newRow("nothing before") << ""
                                    << "abcdef" << 4 << "abcdef";
}

void TestComparison::fieldsNeverCutAnAmount() {
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, result);
    AppendField(line, text, width);
    QCOMPARE(line, result);
}

// Ten million dollars at 12 % over 40 years with an additional payment of 1.5 million: every
// amount is wider than its field and keeps all its digits and a blank before it.
void TestComparison::largeAmountsKeepTheirBlanks() {
    m_state.InputValues[1] = cell(10000000);
    m_state.InputValues[2] = cell(12);
    m_state.InputValues[3] = cell(40);
    setExtra(2, 1500000);
    const ComparisonRow row = calculate();
    const QString line = ComparisonReportLine(row, m_state.CurrencySymbol).chopped(4);
    const std::array<QString, 8> cells = ComparisonRowCells(row, m_state.CurrencySymbol);
    QVERIFY2(line.contains(QStringLiteral("   12  $10,000,000.00  12.00% ")), qPrintable(line));
    QVERIFY2(line.endsWith(u' ' + cells[6] + u' ' + cells[7]), qPrintable(line));
    QCOMPARE(cells[6].size(), 11);
    QCOMPARE(cells[7].size(), 14);
    QCOMPARE(m_table.PrePayYearText.at(1, 0), QStringLiteral("  2"));
    QCOMPARE(m_table.PrePayAmountText.at(1, 0), QStringLiteral(" 1,500,000.00"));
}

QTEST_GUILESS_MAIN(TestComparison)
#include "tst_comparison.moc"
