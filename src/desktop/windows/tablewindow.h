// The table windows: one mortgage or loan typed into five boxes, worked out by the engine, and
// shown as seven result labels and a grid with one row per payment or per year, a totals row and
// the additional payments that were applied. A help panel can take the grid's place.
//
// The Mortgage Tables window (CdnMort) and the Personal Loan Table window (Loans) are this class
// with their own setups: what the two differ in is collected in TableWindowSetup, so they share
// every rule of input, calculation and display.
#pragma once

#include "core/program/messagebox.h"
#include "core/reports/tablereport.h"
#include "core/state/calculation.h"
#include "core/state/shared.h"
#include "desktop/windows/calculationform.h"

#include <QWidget>

#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;

namespace qb {

class Grid;
class PrintService;

struct TableWindowSetup {
    QString formName;
    QString caption;
    QString calcName;
    QString helpName;
    QString printName;
    QString gridName;
    QString principalLabel;
    QString rateLabel;
    QString termLabel;
    QString daysLabel;
    QString yearsToRetireLabel;
    QString totalPaidLabel;
    QString savingsLabel;
    QString chartTitle;
    QString helpText;
    std::int16_t chartSource = 0;
    const TableReportLayout* report = nullptr;

    double principal = 0;
    QString principalText; // shown after the currency symbol
    QStringList termList;
    double termYears = 0;
    QString termText;
    // A loan's term is typed in months (at most 480) and kept in years as months / 12.
    bool termInMonths = false;
    // Loans list every payment from the start and keep monthly compounding whatever the
    // personal settings say.
    bool startWithEveryPayment = false;
    bool useCompoundChoice = true;
};

TableWindowSetup MortgageTablesSetup();
TableWindowSetup LoanTablesSetup();

class TableWindow : public QWidget {
    Q_OBJECT

public:
    TableWindow(TableWindowSetup setup, SharedState& state, MessageBoxService& messages,
                QWidget* parent = nullptr);
    ~TableWindow() override;

    // The command buttons' own work, callable as a click would run it.
    void calculate();
    void toggleHelp();
    // " To &Printer": calculates again, asks for the header and prints the table's report.
    void printTable();

    // Save as CSV without the file dialog: the schedule the grid shows, as quillbrook-cli
    // schedule --format csv prints it, written to path. Returns whether it was written.
    bool saveCsv(const QString& path);

    // Where the reports go; without one, To Printer prints nothing.
    void setPrintService(PrintService* service) { m_printService = service; }

    // Clears the results after any change of input and closes the help panel if it is open.
    void resetEntry();

    Grid* grid() const { return m_grid; }

signals:
    // What the buttons open lives elsewhere; whoever owns the window connects these. They are
    // emitted synchronously, so a modal dialog opened from them is closed on return.
    void additionalPaymentsRequested();
    void firstPaymentDateRequested();
    // There is data to chart and ChartSource is set. The chart, once open, takes the window's
    // place: whoever opens it hides the window until the chart closes.
    void chartRequested();
    void exited();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void layOut();
    void connectControls();
    void load();
    void setUpTableGrid();
    void showResults(const Schedule& schedule);
    void listAppliedExtraPayments(const Schedule& schedule);

    void selectView(int view);
    void toggleDates();
    void showGraph();
    void termPicked();
    std::optional<QString> csvText() const;

    friend class TableResultsListener;

    TableWindowSetup m_setup;
    SharedState& m_state;
    MessageBoxService& m_messages;
    bool m_calculated = false; // the grid and results show a successful Calculate
    PrintService* m_printService = nullptr;
    bool m_exited = false;
    // Whether To Printer has a calculation to repeat: set by a Calculate that produced rows, kept
    // through input changes, dropped by a failed Calculate or by closing the help panel.
    bool m_printable = false;

    std::unique_ptr<CalculationForm> m_form;
    QRadioButton* m_allPayments = nullptr; // Option1
    QRadioButton* m_annual = nullptr;      // Option2
    QPushButton* m_dateNumber = nullptr;
    Grid* m_grid = nullptr;
    QLabel* m_days = nullptr;
    QLabel* m_periodicRate = nullptr;
    QLabel* m_paymentsPerYear = nullptr;
    QLabel* m_payment = nullptr;
    QLabel* m_yearsToRetire = nullptr;
    QLabel* m_totalPaid = nullptr;
    QLabel* m_savings = nullptr;
};

} // namespace qb
