// The comparison report's lines and page breaks; see comparisonreport.h.
#include "core/reports/comparisonreport.h"

#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "core/print/printersetup.h"

#include <algorithm>
#include <vector>

namespace qb {

namespace {

const QString kTitle = QStringLiteral(" Mortgage Comparisons");
const QString kRule(76, u'_');
const QString kSectionTitle = QStringLiteral("* Additional Payments Applied");
const std::array<QString, 3> kHeadings = {
    QStringLiteral("Row       Amorti- Retired Number    Amount    Annual    Principal   Total"),
    QStringLiteral("Compound  zation  at end  Annual    of        Interest  + Interest  Interest"),
    QStringLiteral("Frequency Period  of Year Payments  Mortgage  Rate      Payment     Payment"),
};

constexpr int kBandWidth = 5;
constexpr int kCellSpacing = 16;

const QString kCrLf = QStringLiteral("\r\n");

void printAt(Printer& printer, int column, const QString& text) {
    printer.print({At(column), Text(text)});
}

// One line of a band: each column's cell 16 print positions after the one before. A cell that
// would start within one blank of the text before it starts one blank after it, so two long
// amounts never run together.
QString bandLine(const ComparisonTable& table, int line, int first, int last) {
    QString text;
    for (int column = first; column <= last; ++column) {
        const QString cell =
            table.PrePayYearText.at(line, column) + table.PrePayAmountText.at(line, column);
        if (cell.isEmpty())
            continue;
        qsizetype start = std::max(0, kCellSpacing * (column - first) - 1); // from 0
        if (!text.isEmpty())
            start = std::max(start, text.size() + 1);
        text = text.leftJustified(start) + cell;
    }
    return text;
}

struct Band {
    int first;
    int last;
    int lastLine;
};

// The bands the report prints: band 1 always, the others when the last used column reaches
// them, each up to the last used column.
std::vector<Band> bandsOf(const ComparisonTable& table) {
    std::vector<Band> bands;
    for (int band = 0; band < 3; ++band) {
        const int first = band * kBandWidth;
        if (table.LastPrePayColumn < first)
            break;
        bands.push_back(
            {first, std::min<int>(first + kBandWidth - 1, table.LastPrePayColumn),
             std::min<int>(table.BandLines[static_cast<std::size_t>(band)], kLastPrePayLine)});
    }
    return bands;
}

bool pageIsDue(int counter, int linesPerPage) {
    if (linesPerPage <= 0)
        return false;
    return counter % linesPerPage == 0 || (counter - 1) % linesPerPage == 0 ||
           (counter - 2) % linesPerPage == 0;
}

} // namespace

void AppendField(QString& line, const QString& text, int width) {
    qsizetype trailing = 0;
    while (trailing < line.size() && line.at(line.size() - 1 - trailing) == u' ')
        ++trailing;
    const bool textBefore = trailing < line.size();
    qsizetype gap = trailing + width - text.size();
    if (textBefore)
        gap = std::max<qsizetype>(gap, 1);
    gap = std::max<qsizetype>(gap, 0);
    line.chop(trailing);
    line += QString(gap, u' ') + text;
}

std::array<QString, 8> ComparisonRowCells(const ComparisonRow& row, const QString& currencySymbol) {
    const bool applied = !row.extraPayments.empty();
    return {
        Format(row.number, u"00") + u' ' + row.compoundingLetter + u' ' + row.frequencyCode,
        Format(row.years, u"###"),
        (applied ? QStringLiteral("*") : QString()) + Format(row.yearsToRetire, u"###.00"),
        Format(row.paymentsPerYear, u"###") + u' ',
        currencySymbol + Format(row.principal, u"####,,###.00"),
        Format(row.rate, u"###.00") + u'%',
        currencySymbol + Format(row.calculation.payment, u"###,,###.00"),
        currencySymbol + Format(row.totalInterest.toDouble(), u"####,,###.00"),
    };
}

QString ComparisonReportLine(const ComparisonRow& row, const QString& currencySymbol) {
    const std::array<QString, 8> cells = ComparisonRowCells(row, currencySymbol);
    const bool applied = !row.extraPayments.empty();
    QString line = u' ' + cells[0];
    AppendField(line, cells[1], 5);
    // The asterisk belongs to the years beside it; at most 40.00 years always fits the field.
    line += (applied ? QStringLiteral("   *") : QStringLiteral("    ")) +
            PadColumn(Format(row.yearsToRetire, u"###.00"), 5);
    line += u' ';
    AppendField(line, cells[3].chopped(1), 4);
    line += QStringLiteral("   ");
    AppendField(line, cells[4], 13);
    line += u' ';
    AppendField(line, cells[5].chopped(1), 6);
    line += u'%';
    line += u' ';
    AppendField(line, cells[6], 10);
    AppendField(line, cells[7], 13);
    return line + kCrLf + kCrLf;
}

ComparisonRow AddComparisonRow(SharedState& state, ComparisonTable& table, const LoanInput& input) {
    ComparisonRow row = CalculateComparisonRow(state, table, input);
    state.ReportLines.at(1) += ComparisonReportLine(row, state.CurrencySymbol);
    return row;
}

const std::array<QString, 3>& ComparisonHeadings() {
    return kHeadings;
}

QStringList ComparisonBandLines(const ComparisonTable& table) {
    QStringList lines;
    for (const Band& band : bandsOf(table)) {
        for (int line = 0; line <= band.lastLine; ++line)
            lines << bandLine(table, line, band.first, band.last);
    }
    return lines;
}

void PrintComparisonReport(SharedState& state, const ComparisonTable& table, Printer& printer) {
    SetPrinterFont(state, printer);
    int counter = 10;

    printer.printEmptyLine();
    printAt(printer, 2, state.ReportHeader);
    printer.printEmptyLine();
    counter += 2;

    printAt(printer, 32, kTitle);
    printAt(printer, 2, kRule);
    printer.printEmptyLine();
    for (const QString& heading : kHeadings)
        printAt(printer, 2, heading);
    printAt(printer, 2, kRule);
    printer.printEmptyLine();

    // Each row line ends in two line breaks: the row, an empty line, and after the last row the
    // print step's own end of line.
    printAt(printer, 0, state.ReportLines.size() > 1 ? state.ReportLines[1] : QString());
    counter += table.RowCount * 2;

    if (table.MaxPrePayCount == 0) {
        FinishPrintout(printer);
        return;
    }

    printAt(printer, 25, kSectionTitle);
    printAt(printer, 2, kRule);
    printer.printEmptyLine();
    counter += 2;

    for (const Band& band : bandsOf(table)) {
        for (int line = 0; line <= band.lastLine; ++line) {
            printAt(printer, 1, bandLine(table, line, band.first, band.last));
            printAt(printer, 2, kRule);
            printer.printEmptyLine();
            counter += 3;
            if (pageIsDue(counter, state.LinesPerPage)) {
                printer.newPage();
                SetPrinterFont(state, printer);
                printer.printEmptyLine();
                printAt(printer, 25, kSectionTitle);
                printer.printEmptyLine();
                printAt(printer, 2, kRule);
                printer.printEmptyLine();
                counter = 4;
            }
        }
    }
    FinishPrintout(printer);
}

} // namespace qb
