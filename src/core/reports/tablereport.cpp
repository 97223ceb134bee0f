// The table report's pages. The line counter starts at 24 for the lines above the table, each
// row adds one, and a page ends when the counter reaches a multiple of LinesPerPage: with 58
// lines a page the first page holds 31 rows and every later page 51.
#include "core/reports/tablereport.h"

#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "core/print/printersetup.h"

#include <cmath>

namespace qb {

namespace {

const QString kRule(75, u'_');
const QString kLineBreak = QStringLiteral("\r\n");
const QString kHeading1 =
    QStringLiteral(" Payment    Interest   Principal     Remaining    Cumulative     Cumulative");
const QString kYearHeading2 =
    QStringLiteral("  Year       Payment     Payment       Balance      Interest      Principal");
const QString kPaymentHeading2 =
    QStringLiteral("No. Year     Payment     Payment       Balance      Interest      Principal");
const QString kDateHeading2 =
    QStringLiteral("   Date      Payment     Payment       Balance      Interest      Principal");

constexpr int kFirstPageLines = 24;
constexpr int kLaterPageLines = 7;
// The block of applied payments goes on a new page when it would end below this line.
constexpr int kLastLineForPayments = 57;

QString money(Currency cell) {
    return Format(cell.toDouble(), u"####,,###.00");
}

class TableReport {
public:
    TableReport(const TableReportLayout& layout, const TableReportFigures& figures,
                const Schedule& schedule, SharedState& state, Printer& printer)
        : m_layout(layout), m_figures(figures), m_input(schedule.input), m_table(schedule.rows),
          m_schedule(schedule), m_state(state), m_printer(printer) {}

    void print();

private:
    void line(std::initializer_list<PrintItem> items) { m_printer.print(items); }
    void empty() { m_printer.printEmptyLine(); }
    void summary();
    void tableHeadings();
    void row(int i);
    void breakPage(bool setFont);
    void totalsAndPayments(int last);
    int lastRow() const;

    const TableReportLayout& m_layout;
    const TableReportFigures& m_figures;
    const LoanInput& m_input;
    const CurrencyTable& m_table;
    const Schedule& m_schedule;
    SharedState& m_state;
    Printer& m_printer;
    QString m_heading2;
    int m_lines = kFirstPageLines;
};

void TableReport::print() {
    SetPrinterFont(m_state, m_printer);
    m_lines = kFirstPageLines;
    m_heading2 = m_input.showDates   ? kDateHeading2
                 : m_input.view == 2 ? kPaymentHeading2
                                     : kYearHeading2;
    empty();
    line({At(2), Text(m_state.ReportHeader)});
    empty();
    m_lines += 3;
    summary();
    line({At(2), Text(kRule)});
    empty();
    tableHeadings();

    const int last = lastRow();
    for (int i = 1; i <= last; ++i) {
        ++m_lines;
        row(i);
        if (m_state.LinesPerPage > 0 && m_lines % m_state.LinesPerPage == 0)
            breakPage(true);
    }
    totalsAndPayments(last);
    FinishPrintout(m_printer);
}

void TableReport::summary() {
    const TableReportFigures& f = m_figures;
    const QString& symbol = m_state.CurrencySymbol;
    line({At(32), Text(m_layout.title)});
    line({At(2), Text(kRule)});
    empty();
    for (const QString& heading : m_layout.inputHeadings)
        line({At(2), Text(heading)});
    empty();
    line({Placed(2, 11, symbol + Format(f.principal, u"###,,###.00")),
          Placed(14, 8, Format(f.rate, u"###.00")), Text("%"),
          Placed(29, 4, Format(f.term, u"###")), Placed(40, 16, f.compounding),
          Placed(61, 16, f.frequency)});
    line({At(2), Text(kRule)});
    empty();
    for (const QString& heading : m_layout.resultHeadings)
        line({At(2), Text(heading)});
    empty();
    line({At(2), Text(f.daysInYear), Placed(9, 10, Format(f.periodicRate, u"0.########")),
          Placed(19, 7, Format(f.paymentsPerYear, u"###.00")),
          Placed(31, 6, Format(f.timeToFinalPayment, u"###.00")),
          Placed(40, 10, symbol + Format(f.payment, u"##,,###.00")),
          Placed(53, 12, symbol + Format(f.totalPaid.toDouble(), u"###,,###.00")),
          Placed(65, 12, symbol + Format(f.interestSavings.toDouble(), u"####,,###.00"))});
}

// The column headings, on the first page under a rule and on every later page at its top.
void TableReport::tableHeadings() {
    line({At(2), Text(kHeading1)});
    line({At(2), Text(m_heading2)});
    line({At(2), Text(kRule)});
    empty();
}

void TableReport::row(int i) {
    const CurrencyTable& table = m_table;
    std::vector<PrintItem> items;
    items.reserve(7);
    if (m_input.showDates) {
        items.push_back(At(2));
        items.push_back(Text(Format(table.at(i, 7).toDouble(), u"Short Date")));
    } else if (m_input.view == 2) {
        items.push_back(Placed(2, 4, Format(table.at(i, 1).toDouble(), u"####")));
        items.push_back(Placed(6, 3, Format(table.at(i, 0).toDouble(), u"###")));
    } else {
        items.push_back(Placed(2, 5, Format(table.at(i, 1).toDouble(), u"####")));
    }
    items.push_back(Placed(m_layout.interestColumn, m_layout.interestWidth, money(table.at(i, 2))));
    items.push_back(
        Placed(m_layout.principalColumn, m_layout.principalWidth, money(table.at(i, 3))));
    items.push_back(Placed(36, 12, money(table.at(i, 4))));
    items.push_back(Placed(50, 12, money(table.at(i, 5))));
    items.push_back(Placed(65, 12, money(table.at(i, 6))));
    m_printer.print(items);
}

void TableReport::breakPage(bool setFont) {
    empty();
    empty();
    line({At(40), Text("Page"), Number(m_printer.page())});
    m_printer.newPage();
    if (setFont)
        SetPrinterFont(m_state, m_printer);
    empty();
    tableHeadings();
    m_lines = kLaterPageLines;
}

void TableReport::totalsAndPayments(int last) {
    const CurrencyTable& table = m_table;
    const QString& symbol = m_state.CurrencySymbol;
    line({At(2), Text(kRule)});
    empty();
    line({At(2), Text("Total:"), Placed(36, 12, symbol + money(table.at(last, 4))),
          Placed(50, 12, symbol + money(table.at(last, 5))),
          Placed(65, 12, symbol + money(table.at(last, 6)))});

    const QString& payments = m_state.ReportLines.size() > 1 ? m_state.ReportLines[1] : QString();
    const bool nearlyFull = m_state.PrePayApplied + 4 + m_lines > kLastLineForPayments;
    if (m_layout.loanEnding) {
        if (nearlyFull)
            breakPage(false);
    } else if (!payments.isEmpty() && nearlyFull) {
        breakPage(true);
    }
    if (!payments.isEmpty()) {
        empty();
        line({At(2), Text(payments)});
    }
}

int TableReport::lastRow() const {
    if (m_input.view == 2)
        return m_schedule.dataCount - 1;
    // Rows 1 to the nearest whole number of the years to retire + 0.49, halves to even.
    return int(std::nearbyint(m_schedule.figures.yearsToRetire.value_or(0) + 0.49));
}

} // namespace

const TableReportLayout& MortgageTableReport() {
    static const TableReportLayout layout{
        QStringLiteral("Mortgage Table"),
        QStringLiteral(" Mortgage Table"),
        {QStringLiteral("Principal      Annual        Amortization   Interest           Frequency"),
         QStringLiteral(
             "amount of      interest      period in      compounding        and type of"),
         QStringLiteral(
             "mortgage.      rate(%).      years.         periods in year.   each payment")},
        {QStringLiteral(
             "Days   Interest    No. of     No. years  Principal   Total paid    Total of"),
         QStringLiteral(
             "in     rate        payments   to final   + Interest  over life     interest"),
         QStringLiteral(
             "year   factor      each year  payment    payment     of mortgage   savings")},
    };
    return layout;
}

const TableReportLayout& LoanTableReport() {
    static const TableReportLayout layout{
        QStringLiteral("Personal Loan Table"),
        QStringLiteral(" Personal Loan Table"),
        {QStringLiteral("Principal      Annual        Length of      Interest           Frequency"),
         QStringLiteral(
             "amount of      interest      the loan       compounding        and type of"),
         QStringLiteral(
             "the loan.      rate(%).      in months.     periods in year.   each payment")},
        {QStringLiteral(
             "Days   Interest    No. of     No. months Principal   Total paid    Total of"),
         QStringLiteral(
             "in     rate        payments   to final   + Interest  over life     interest"),
         QStringLiteral(
             "year   factor      each year  payment    payment     of the loan   savings")},
        14,
        8,
        26,
        8,
        true,
        true,
    };
    return layout;
}

TableReportFigures TableReportFigures::of(const TableReportLayout& layout, const Schedule& schedule,
                                          const SharedState& state) {
    const double scale = layout.termInMonths ? 12 : 1;
    const LoanInput& input = schedule.input;
    const Calculation& result = schedule.figures;
    TableReportFigures figures;
    figures.principal = input.principal;
    figures.rate = input.annualRate;
    // Kept to four decimals, as the window keeps the term it shows.
    figures.term = Currency::fromDouble(input.termYears).toDouble() * scale;
    if (input.compounding)
        figures.compounding = QStringView(input.compounding->text).toString();
    if (input.frequency)
        figures.frequency = QStringView(input.frequency->text).toString();
    figures.daysInYear = DaysInYearCaption(state, result);
    figures.periodicRate = result.periodicRate;
    figures.paymentsPerYear = result.paymentsPerYear;
    figures.timeToFinalPayment = result.yearsToRetire.value_or(0) * scale;
    figures.payment = result.payment;
    figures.totalPaid = result.totalPaid;
    figures.interestSavings = result.interestSavings;
    return figures;
}

QString DaysInYearCaption(const SharedState& state, const Calculation& result) {
    if (result.frequency == &kFrequencies[0]) // monthly payments
        return QStringLiteral("Normal");
    return Format(state.DaysPerYear, state.DaysPerYear == 365.25 ? u"###.##" : u"###");
}

void RecordAppliedPayments(SharedState& state, const AppliedPayments& applied) {
    if (state.ReportLines.size() < 2)
        state.ReportLines.resize(4);
    QString& lines = state.ReportLines[1];
    lines = QStringLiteral("Additional  Payments     Applied") + kLineBreak + kLineBreak;
    for (const auto& [year, amount] : applied) {
        lines += QString(6, u' ') + PadColumn(Format(year, u"###"), 3) + QString(16, u' ') +
                 Format(amount.toDouble(), u"###,,###.00") + kLineBreak;
    }
    state.PrePayApplied = static_cast<std::int16_t>(applied.size());
}

void PrintTable(const TableReportLayout& layout, const TableReportFigures& figures,
                const Schedule& schedule, SharedState& state, Printer& printer) {
    TableReport(layout, figures, schedule, state, printer).print();
}

} // namespace qb
