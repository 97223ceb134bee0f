// The Mortgage Comparisons window (MortComp): one mortgage after another typed into five boxes
// and worked out, each result kept as one row of a table of at most twelve. The upper grid shows
// the rows; the lower one lists, for each row that used them, the additional payments applied.
// The table lives as long as the window: leaving it discards the rows.
#pragma once

#include "core/program/messagebox.h"
#include "core/state/comparison.h"
#include "core/state/shared.h"
#include "desktop/windows/calculationform.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QLabel;

namespace qb {

class Grid;
class PrintService;

class CompareWindow : public QWidget {
    Q_OBJECT

public:
    CompareWindow(SharedState& state, MessageBoxService& messages, QWidget* parent = nullptr);

    // Where To Printer sends the report; without one, it prints nothing.
    void setPrintService(PrintService* service) { m_printService = service; }

    // Save as CSV without the file dialog: the rows worked out so far, as quillbrook-cli
    // compare --format csv prints them, written to path. Returns whether it was written.
    bool saveCsv(const QString& path);

    // The command buttons' own work, callable as a click would run it.
    void calculate();
    void printReport();
    void showGraph();
    void toggleHelp();

    // Any change of input: printing and charting wait for the next Calculate.
    void resetEntry();

    const ComparisonTable& table() const { return m_table; }
    Grid* rowGrid() const { return m_rowGrid; }
    Grid* prePayGrid() const { return m_prePayGrid; }

signals:
    // What the buttons open lives elsewhere; whoever owns the window connects these. They are
    // emitted synchronously, so a modal dialog opened from them is closed on return.
    void additionalPaymentsRequested();
    // Asks for the report's header line: ReportHeader is set, "1" when the user cancelled.
    void reportHeaderRequested();
    // There is data to chart: ChartData, ChartTitle, DataCount and ChartSource are set. The
    // chart, once open, takes the window's place: whoever opens it hides the window until the
    // chart closes.
    void chartRequested();
    void exited();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void load();
    void setUpRowGrid();
    void setUpPrePayGrid();
    void blankRowGrid();
    void showRow(const ComparisonRow& row);
    std::optional<QString> csvText() const;

    SharedState& m_state;
    MessageBoxService& m_messages;
    PrintService* m_printService = nullptr;
    ComparisonTable m_table;
    std::vector<ComparisonRow> m_rows; // the rows worked out, in order
    bool m_exited = false;

    std::unique_ptr<CalculationForm> m_form;
    QLabel* m_days = nullptr;
    QLabel* m_periodicRate = nullptr;
    Grid* m_rowGrid = nullptr;
    Grid* m_prePayGrid = nullptr;
};

} // namespace qb
