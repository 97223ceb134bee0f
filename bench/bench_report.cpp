// How long the mortgage report takes for the longest schedule: 40 years of weekly payments on a
// 360-day year, every payment listed, 2,080 rows on about 42 pages. Once as the tool's text
// (target under 50 ms) and once as a PDF through the desktop program's printer (under 0.5 s).
#include "core/print/textprinter.h"
#include "core/reports/tablereport.h"
#include "core/settings/daysperyear.h"
#include "desktop/platform/qtprinter.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

struct FortyYearsWeekly {
    qb::SharedState state;
    qb::TableReportFigures figures;

    FortyYearsWeekly() {
        qb::SizeCalculationTables(state);
        qb::ApplyDaysPerYear(state, qb::FindDaysPerYearChoice(u"360"));
        state.CurrencySymbol = QStringLiteral("$");
        state.ReportHeader = QStringLiteral("Smith, 12 Elm St");
        state.TableView = 2;
        state.InputValues[1] = qb::Currency::fromDouble(100000);
        state.InputValues[2] = qb::Currency::fromDouble(10);
        state.InputValues[3] = qb::Currency::fromDouble(40);
        const qb::Frequency& weekly = qb::kFrequencies[3];
        const qb::Compounding& monthly = qb::kCompoundings[0];
        qb::Calculate(state, weekly.text, monthly.text);
        figures = qb::TableReportFigures::of(qb::MortgageTableReport(), state.LastSchedule, state);
    }
    bool complete() const { return state.LastSchedule.tableRows == 2080; }
};

void BM_ReportToText(benchmark::State& benchmarkState) {
    FortyYearsWeekly loan;
    qsizetype size = 0;
    int pages = 0;
    for (auto _ : benchmarkState) {
        qb::TextPrinter printer;
        qb::PrintTable(qb::MortgageTableReport(), loan.figures, loan.state.LastSchedule, loan.state,
                       printer);
        const QString text = printer.reportText();
        size = text.size();
        pages = int(printer.pages().size());
        benchmark::DoNotOptimize(text.constData());
    }
    if (!loan.complete())
        benchmarkState.SkipWithError("the schedule did not come out at 2,080 rows");
    benchmarkState.counters["pages"] = pages;
    benchmarkState.counters["characters"] = double(size);
}

void BM_ReportToPdf(benchmark::State& benchmarkState) {
    FortyYearsWeekly loan;
    loan.state.PrinterFontChoice = 1; // Courier New 11, as the tool's PDF
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    int sheets = 0;
    for (auto _ : benchmarkState) {
        qb::QtPrinter printer(QStringLiteral("Mortgage Table"), path);
        qb::PrintTable(qb::MortgageTableReport(), loan.figures, loan.state.LastSchedule, loan.state,
                       printer);
        sheets = printer.sheetCount();
    }
    if (!loan.complete())
        benchmarkState.SkipWithError("the schedule did not come out at 2,080 rows");
    benchmarkState.counters["sheets"] = sheets;
}

} // namespace

BENCHMARK(BM_ReportToText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
