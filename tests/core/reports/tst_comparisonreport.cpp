// The comparison report read back from the recording printer: the heading block and the row
// lines, the additional-payments section in bands of five columns, and the section's own page
// breaks that repeat its title and rule.
#include "core/print/textprinter.h"
#include "core/reports/comparisonreport.h"
#include "core/settings/daysperyear.h"

#include <QTest>

using namespace qb;

namespace {

const QString kRule = QString(1, u' ') + QString(76, u'_');
const QString kSectionTitle = QString(24, u' ') + QStringLiteral("* Additional Payments Applied");

// A printer whose line height gives the page length wanted: an 11-inch page less 8 lines.
double lineHeightFor(int linesPerPage) {
    return 15840.0 / (linesPerPage + 8);
}

} // namespace

class TestComparisonReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();

    void noAdditionalPaymentsEndsAfterTheRows();
    void bandsOfFiveColumns_data();
    void bandsOfFiveColumns();
    void sectionPageBreakRepeatsItsTitle();

private:
    // Adds rows; each with an additional payment in year 1 (1,000.00, 2,000.00, ...) when asked.
    void addRows(int count, bool withPayments) {
        for (int i = 0; i < count; ++i) {
            m_state.PrePayTable.size(45, 2);
            if (withPayments) {
                m_state.PrePayTable.at(1, 1) = Currency::fromDouble(1);
                m_state.PrePayTable.at(1, 2) = Currency::fromDouble(1000.0 * (i + 1));
            }
            AddComparisonRow(m_state, m_table,
                             LoanInputFrom(m_state, u"      Monthly", u"      Monthly",
                                           ScheduleKind::Comparison));
        }
    }
    QList<QStringList> print(int linesPerPage = 58) {
        TextPrinter printer(lineHeightFor(linesPerPage));
        PrintComparisonReport(m_state, m_table, printer);
        return printer.pages();
    }

    SharedState m_state;
    ComparisonTable m_table;
};

void TestComparisonReport::init() {
    m_state = SharedState();
    ApplyDaysPerYear(m_state, kDefaultDayFactorChoice);
    m_state.CurrencySymbol = QStringLiteral("$");
    m_state.ReportHeader = QStringLiteral("Smith house, three offers");
    LoadComparison(m_state, m_table);
    m_state.InputValues[1] = Currency::fromDouble(100000);
    m_state.InputValues[2] = Currency::fromDouble(10);
    m_state.InputValues[3] = Currency::fromDouble(25);
}

void TestComparisonReport::noAdditionalPaymentsEndsAfterTheRows() {
    addRows(2, false);
    const QList<QStringList> pages = print();
    QCOMPARE(pages.size(), 1);
    const QString row1 = QStringLiteral(
        " 01 M 1m     25    25.00   12     $100,000.00  10.00%    $908.70  $172,609.85");
    const QString row2 = QStringLiteral(" 02") + row1.mid(3);
    const QStringList expected = {
        QString(), // the font's own empty line
        QString(),
        QStringLiteral(" Smith house, three offers"),
        QString(),
        QString(31, u' ') + QStringLiteral(" Mortgage Comparisons"),
        kRule,
        QString(),
        QStringLiteral(
            " Row       Amorti- Retired Number    Amount    Annual    Principal   Total"),
        QStringLiteral(
            " Compound  zation  at end  Annual    of        Interest  + Interest  Interest"),
        QStringLiteral(
            " Frequency Period  of Year Payments  Mortgage  Rate      Payment     Payment"),
        kRule,
        QString(),
        row1,
        QString(),
        row2,
        QString(),
        QString(), // the print step ends its own line after the last break
    };
    QCOMPARE(pages.at(0), expected);
}

void TestComparisonReport::bandsOfFiveColumns_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("headerLines");
    // Cells are placed at print columns 16, 32, ... from the band's second one; the first one's
    // column 0 is column 1.
    const auto header = [](int first, int last) {
        QString line;
        for (int row = first; row <= last; ++row)
            line = line.leftJustified(std::max(0, 16 * (row - first) - 1)) +
                   QStringLiteral("%1  Row  ").arg(row, 3);
        return line;
    };
    QTest::newRow("six rows: columns 0-4 and 5") << 6 << QStringList{header(1, 5), header(6, 6)};
    QTest::newRow("eleven rows: band 3 holds column 10")
        << 11 << QStringList{header(1, 5), header(6, 10), header(11, 11)};
}

// Each band prints its header line and its payment line, each followed by the rule and an
// empty line.
void TestComparisonReport::bandsOfFiveColumns() {
    QFETCH(int, rows);
    QFETCH(QStringList, headerLines);
    addRows(rows, true);
    const QList<QStringList> pages = print();
    QCOMPARE(pages.size(), 1);
    const QStringList lines = pages.at(0);

    const qsizetype section = lines.indexOf(kSectionTitle);
    QVERIFY(section > 0);
    QCOMPARE(lines.at(section + 1), kRule);
    QCOMPARE(lines.at(section + 2), QString());
    qsizetype at = section + 3;
    for (int band = 0; band < headerLines.size(); ++band) {
        QCOMPARE(lines.at(at), headerLines.at(band));
        QCOMPARE(lines.at(at + 1), kRule);
        QCOMPARE(lines.at(at + 2), QString());
        const QString payments = lines.at(at + 3);
        const QString amount = QStringLiteral("%1,000.00").arg(5 * band + 1).rightJustified(10);
        QVERIFY2(payments.startsWith(QStringLiteral("  1") + amount), qPrintable(payments));
        QCOMPARE(lines.at(at + 4), kRule);
        QCOMPARE(lines.at(at + 5), QString());
        at += 6;
    }
    QCOMPARE(lines.size(), at);
    QCOMPARE(ComparisonBandLines(m_table).size(), 2 * headerLines.size());
}

// One row with one payment and 19 lines a page: the counter reaches 19 after the band's first
// line, so the page breaks there and the next starts with the section title and rule again.
void TestComparisonReport::sectionPageBreakRepeatsItsTitle() {
    addRows(1, true);
    const QList<QStringList> pages = print(19);
    QCOMPARE(pages.size(), 2);
    QCOMPARE(pages.at(0).last(), QString());
    QCOMPARE(pages.at(0).at(pages.at(0).size() - 2), kRule);
    QCOMPARE(pages.at(0).at(pages.at(0).size() - 3), QStringLiteral("  1  Row  "));
    const QStringList expected = {
        QString(), // the font's own empty line
        QString(), kSectionTitle, QString(), kRule, QString(), QStringLiteral("  1  1,000.00"),
        kRule,     QString(),
    };
    QCOMPARE(pages.at(1), expected);
}

QTEST_GUILESS_MAIN(TestComparisonReport)
#include "tst_comparisonreport.moc"
