#include "desktop/windows/tablewindow.h"

#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "core/format/numberpicture.h"
#include "core/print/printservice.h"
#include "core/reports/spreadsheet.h"
#include "core/state/balancechart.h"
#include "desktop/platform/accessibility.h"
#include "desktop/platform/captionlabel.h"
#include "desktop/platform/focus.h"
#include "desktop/platform/grid.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/screenfit.h"
#include "desktop/platform/teardown.h"
#include "desktop/windows/naminput.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace qb {

namespace {

const QString kViewDatesCaption = QStringLiteral("&View Payment dates");
const QString kViewNumbersCaption = QStringLiteral("&View Payment No.");

// Every box and result is wide enough for the widest figure a valid input gives, with a
// two-character currency symbol: "$4,075,880,709.93" is the total paid on 1,000,000,000.00 at
// 10 % over 480 months. Both table windows use the same widths.
constexpr int kFigureLength = 18;

const NumberPicture kMoneyCell(u"####,,###.00");

} // namespace

TableWindowSetup MortgageTablesSetup() {
    TableWindowSetup setup;
    setup.formName = QStringLiteral("CdnMort");
    setup.caption = QStringLiteral("Mortgage Tables");
    setup.calcName = QStringLiteral("Calc4");
    setup.helpName = QStringLiteral("Help4");
    setup.printName = QStringLiteral("Ptr3");
    setup.gridName = QStringLiteral("Grid4");
    setup.principalLabel = QStringLiteral(" Principal amount of    mortgage.");
    setup.rateLabel = QStringLiteral(" Annual interest          rate %");
    setup.termLabel = QStringLiteral(" Amortization period    in years.");
    setup.daysLabel = QStringLiteral(" Days      in year.");
    setup.yearsToRetireLabel = QStringLiteral(" No. of years to  final payment.");
    setup.totalPaidLabel = QStringLiteral(" Total paid over   life of mortgage");
    setup.savingsLabel = QStringLiteral(" Total interest    savings.");
    setup.chartTitle = MortgageBalanceChart().title;
    setup.chartSource = MortgageBalanceChart().chartSource;
    setup.report = &MortgageTableReport();
    setup.principal = 100000;
    setup.principalText = QStringLiteral("100,000.00");
    setup.termList = {QStringLiteral("25"), QStringLiteral("30"), QStringLiteral("40")};
    setup.termYears = 25;
    setup.termText = QStringLiteral("            25");
    setup.helpText = JoinHelp({
        {"To change any pre-programmed number, click on yellow box, type in your own, then "
         "'Calculate'. Results shown in white cells.  Read 'How to Use Programs' for details.",
         2},
        {"100,000.00", 3},
        {"         10%", 4},
        {"          25", 3},
        {"Click down arrow to select different compound interest periods.", 1},
        {"American = Monthly.  Canadian = Semi-Annual.", 2},
        {"Click down arrow to select different payment frequencies.", 1},
        {"Accelerated payments. 26 instead of 12 annual payments at half the monthly principal "
         "+ Interest. Mortgage retired earlier.",
         2},
        {"Select option to show all payments or just the annual table.", 2},
        {"Click 'View Payment Dates' to show dates, toggles to 'View Payment No.' for numbers.", 2},
        {"Click 'Additional Payments'. Type year number, amount of payment. 'OK' accepts all "
         "changes, 'Erase all' sets all cells to 0. Effects all calculations unless Amortization "
         "changed or 'Erase all'. Amounts added at start of that year to Principal Payment.",
         0},
    });
    return setup;
}

TableWindowSetup LoanTablesSetup() {
    TableWindowSetup setup;
    setup.formName = QStringLiteral("Loans");
    setup.caption = QStringLiteral("Personal Loan Tables");
    setup.calcName = QStringLiteral("Calc2");
    setup.helpName = QStringLiteral("Help2");
    setup.printName = QStringLiteral("Ptr2");
    setup.gridName = QStringLiteral("Grid2");
    setup.principalLabel = QStringLiteral(" Principal amount of    the loan.");
    setup.rateLabel = QStringLiteral(" Annual interest          rate %.");
    setup.termLabel = QStringLiteral(" Payback period of     the loan in months.");
    setup.daysLabel = QStringLiteral(" Days in   year.");
    setup.yearsToRetireLabel = QStringLiteral(" No. months to   final payment.");
    setup.totalPaidLabel = QStringLiteral(" Total paid over   life of the loan.");
    setup.savingsLabel = QStringLiteral(" Total interest      savings.");
    setup.chartTitle = LoanBalanceChart().title;
    setup.chartSource = LoanBalanceChart().chartSource;
    setup.report = &LoanTableReport();
    setup.principal = 20000;
    setup.principalText = QStringLiteral("20,000.00");
    setup.termList = {QStringLiteral("24"), QStringLiteral("36"), QStringLiteral("48"),
                      QStringLiteral("60")};
    setup.termYears = 4;
    setup.termText = QStringLiteral("            48");
    setup.termInMonths = true;
    setup.startWithEveryPayment = true;
    setup.useCompoundChoice = false;
    // Every line of the loan help ends with a line break; the counts add the empty lines that
    // keep the example figures level with the boxes.
    setup.helpText = JoinHelp({
        {"                          How to use for Car, Consumer or Personal loans.", 2},
        {"10,000.00", 4},
        {"         10%", 4},
        {"          60", 4},
        {"Monthly.   Almost all Loans are based on monthly compounding.", 3},
        {"Monthly.   Normally all Loans are based on one payment each month during the", 1},
        {"               payback period.", 2},
        {" All.         Select option to show all payments or just the annual table.", 2},
        {"Click 'View Payment Dates' to show dates, toggles to 'View Payment No.' for numbers.", 2},
        {"Normally financial institutions do not allow additional payments. Use if allowed.", 1},
    });
    return setup;
}

// The texts of the schedule's rows in the grid, made from the grid's own copy of the figures
// when the grid shows or reads a cell: the payment's date, or its number (and year in the every
// payment view), then interest, principal, balance, cumulative interest and principal.
class ScheduleTexts : public Grid::RowTexts {
public:
    explicit ScheduleTexts(const Schedule& schedule)
        : m_rows(schedule.rows), m_showDates(schedule.input.showDates),
          m_everyPayment(schedule.input.view != 1) {}

    QString text(int row, int column) const override {
        if (column > 0)
            return kMoneyCell.format(m_rows.at(row, column + 1));
        if (m_showDates)
            return Format(m_rows.at(row, 7).toDouble(), u"Short Date");
        static const NumberPicture paymentNumber(u"####");
        static const NumberPicture yearNumber(u"###");
        QString number = PadColumn(paymentNumber.format(m_rows.at(row, 1)), 4);
        if (m_everyPayment)
            number += PadColumn(yearNumber.format(m_rows.at(row, 0)), 8);
        return number;
    }

private:
    const CurrencyTable m_rows;
    const bool m_showDates;
    const bool m_everyPayment;
};

// Shows each figure as soon as the engine has it, so what was shown before a failure stays.
class TableResultsListener : public CalculationListener {
public:
    explicit TableResultsListener(TableWindow& window) : m_window(window) {}

    void ratesKnown(const Calculation& calc) override {
        m_window.m_days->setText(DaysInYearCaption(m_window.m_state, calc));
        m_window.m_periodicRate->setText(Format(calc.periodicRate, u"0.########"));
    }
    void paymentKnown(const Calculation& calc) override {
        const SharedState& state = m_window.m_state;
        m_window.m_paymentsPerYear->setText(PadColumn(Format(calc.paymentsPerYear, u"###"), 12));
        m_window.m_payment->setText(
            PadColumn(state.CurrencySymbol + Format(calc.payment, u"###,,###.00"), 12));
    }
    void yearsToRetireKnown(const Calculation& calc) override {
        const double years = calc.yearsToRetire.value_or(0);
        m_window.m_yearsToRetire->setText(
            PadColumn(Format(m_window.m_setup.termInMonths ? years * 12 : years, u"###.00"), 12));
    }

private:
    TableWindow& m_window;
};

TableWindow::TableWindow(TableWindowSetup setup, SharedState& state, MessageBoxService& messages,
                         QWidget* parent)
    : QWidget(parent), m_setup(std::move(setup)), m_state(state), m_messages(messages) {
    setObjectName(m_setup.formName);
    buildControls();
    load();
    // Room for the whole form and a good twenty rows of the table, or what the screen has.
    FitOnScreen(*this, QSize(std::max(sizeHint().width(), 760), 720));
}

TableWindow::~TableWindow() {
    DetachFromChildren(*this);
}

void TableWindow::buildControls() {
    CalculationForm::Setup form;
    form.compoundingName = QStringLiteral("Comperiod");
    form.frequencyCaptionName = QStringLiteral("Label6");
    form.figureLength = kFigureLength;
    form.termLimit = m_setup.termInMonths ? 480 : 40;
    form.termLimitMessage = m_setup.termInMonths ? QStringLiteral("Wrong entry, 480 Month limit.")
                                                 : QString::fromLatin1(kFortyYearLimit);
    form.termInMonths = m_setup.termInMonths;
    form.termShownAsKept = true;
    form.resetOnEveryKey = true;
    form.resetEntry = [this] {
        resetEntry();
    };
    m_form = std::make_unique<CalculationForm>(*this, std::move(form), m_state, m_messages);

    const auto makeResult = [this](const QString& name) {
        QLabel* label = m_form->makeResult(name, true);
        label->setMinimumWidth(CalculationForm::figureWidth(kFigureLength));
        return label;
    };
    m_days = makeResult(QStringLiteral("InDays"));
    m_periodicRate = makeResult(QStringLiteral("PeriodicR"));
    m_paymentsPerYear = makeResult(QStringLiteral("NumPmtsYear"));
    m_payment = makeResult(QStringLiteral("InMonthPI"));
    m_yearsToRetire = makeResult(QStringLiteral("EndMortYear"));
    m_totalPaid = makeResult(QStringLiteral("AllPayments"));
    m_savings = makeResult(QStringLiteral("TotSavd"));

    m_allPayments = new QRadioButton(QStringLiteral("All "), this);
    m_allPayments->setObjectName(QStringLiteral("Option1"));
    m_annual = new QRadioButton(QStringLiteral("Annual"), this);
    m_annual->setObjectName(QStringLiteral("Option2"));
    for (QRadioButton* option : {m_annual, m_allPayments})
        NameAfterOwnCaption(option);
    m_dateNumber = m_form->makeButton(QStringLiteral("DateNumber"), kViewDatesCaption);

    m_form->addCommands({m_setup.calcName, QStringLiteral("AddPrePay"), m_setup.helpName,
                         QStringLiteral("Graphs"), m_setup.printName,
                         QStringLiteral(" To &Printer"), QStringLiteral("ExitButt")});
    m_grid = new Grid(this);
    m_grid->setObjectName(m_setup.gridName);
    NameForReaders(m_grid, AccessibleName(m_setup.caption));
    m_form->addHelpPanel(QStringLiteral("TxtBox"), {m_grid});
    m_form->offerSaveAsCsv(m_grid, m_setup.report->name + QStringLiteral(".csv"),
                           [this] { return csvText(); });

    layOut();
    connectControls();
}

// Inputs on the left, results in the middle, commands on the right, the table below.
void TableWindow::layOut() {
    QGridLayout* form = m_form->grid();
    auto* views = new QHBoxLayout;
    views->addWidget(m_annual);
    views->addWidget(m_allPayments);
    views->addStretch();
    ChainTabOrder({m_annual, m_allPayments});
    TabStopAtSelected({m_annual, m_allPayments});
    form->addWidget(
        m_form->makeCaption(QStringLiteral("Label7"), QStringLiteral(" Show Payments.")), 5, 0);
    form->addLayout(views, 5, 1);

    const auto addRow = [this](int row, const char* name, const QString& caption, QLabel* field) {
        m_form->addRow(row, 2, m_form->makeCaption(QString::fromLatin1(name), caption), field);
    };
    addRow(0, "Label15", m_setup.daysLabel, m_days);
    addRow(1, "Label9", QStringLiteral(" Interest rate  factor."), m_periodicRate);
    addRow(2, "Label10", QStringLiteral(" No. of payments  each year."), m_paymentsPerYear);
    addRow(3, "Label12", QStringLiteral(" Principal+Interest  payment."), m_payment);
    addRow(4, "Label11", m_setup.yearsToRetireLabel, m_yearsToRetire);
    addRow(5, "Label8", m_setup.totalPaidLabel, m_totalPaid);
    addRow(6, "Label5", m_setup.savingsLabel, m_savings);
    form->addWidget(m_dateNumber, 6, 0, 1, 2);
    form->setColumnMinimumWidth(2, 150);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form->takeTop());
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_form->helpPanel(), 1);
}

void TableWindow::connectControls() {
    connect(m_form->calc(), &QPushButton::clicked, this, &TableWindow::calculate);
    connect(m_form->help(), &QPushButton::clicked, this, &TableWindow::toggleHelp);
    connect(m_form->exit(), &QPushButton::clicked, this, &QWidget::close);
    connect(m_form->print(), &QPushButton::clicked, this, &TableWindow::printTable);
    connect(m_form->graphs(), &QPushButton::clicked, this, &TableWindow::showGraph);
    connect(m_dateNumber, &QPushButton::clicked, this, &TableWindow::toggleDates);
    connect(m_form->addPrePay(), &QPushButton::clicked, this, [this] {
        resetEntry();
        m_state.EntryStarted = 0;
        emit additionalPaymentsRequested();
        ReturnFocus(m_form->addPrePay());
    });
    connect(m_allPayments, &QRadioButton::clicked, this, [this] { selectView(2); });
    connect(m_annual, &QRadioButton::clicked, this, [this] { selectView(1); });
    connect(m_form->rate(), &QComboBox::activated, this, &TableWindow::resetEntry);
    connect(m_form->compounding(), &QComboBox::activated, this, &TableWindow::resetEntry);
    connect(m_form->frequency(), &QComboBox::activated, this, &TableWindow::resetEntry);
    connect(m_form->term(), &QComboBox::activated, this, &TableWindow::termPicked);
}

void TableWindow::load() {
    SizeCalculationTables(m_state);
    m_state.HelpOpen = 0;
    m_state.EntryStarted = 0;
    m_state.TableView = 1;
    setUpTableGrid();
    selectView(m_setup.startWithEveryPayment ? 2 : 1);
    m_state.ShowDates = 0;

    setWindowTitle(m_setup.caption);
    m_form->load({m_setup.principal, m_setup.principalText, m_setup.principalLabel,
                  m_setup.rateLabel, m_setup.termLabel, m_setup.termList, m_setup.termYears,
                  m_setup.termText, m_setup.useCompoundChoice ? m_state.CompoundChoice : 0});
    m_state.TermMonths =
        m_setup.termInMonths ? static_cast<std::int16_t>(m_setup.termYears * 12) : 0;
    m_state.EntryStarted = 0;
}

void TableWindow::setUpTableGrid() {
    m_grid->setRows(26);
    m_grid->setColumns(500, {
                                {m_state.TableView == 2 ? QStringLiteral("  Payment   No.  Year")
                                                        : QStringLiteral(" Year Number"),
                                 520, Grid::AlignCenter},
                                {QStringLiteral("Interest Payment"), 550, Grid::AlignRight},
                                {QStringLiteral("Principal Payment"), 650, Grid::AlignRight},
                                {QStringLiteral("Remaining Balance"), 700, Grid::AlignRight},
                                {QStringLiteral("Cumulative Interest"), 700, Grid::AlignRight},
                                {QStringLiteral("Cumulative Principal"), 700, Grid::AlignRight},
                            });
    m_grid->setSelEnd(1, 0);
}

// Any change of an input takes the results of the last Calculate away: the result labels, the
// grid and what Show Graph would draw, so no figure on screen belongs to other inputs. To Printer
// calculates afresh, so it still prints once something has been calculated.
void TableWindow::resetEntry() {
    for (QLabel* label : {m_days, m_periodicRate, m_paymentsPerYear, m_yearsToRetire, m_payment,
                          m_savings, m_totalPaid})
        label->clear();
    m_state.EntryStarted = 1;
    m_state.DataCount = 0;
    m_calculated = false;
    m_grid->blankAll();
    m_grid->setSelEnd(1, 0);
    if (m_state.HelpOpen != 1)
        return;

    m_form->helpPanel()->clear();
    if (m_form->helpShown()) {
        m_form->hideHelp();
        m_state.EntryStarted = 0;
    }
    m_state.HelpOpen = 0;
    m_printable = false;
}

void TableWindow::toggleHelp() {
    if (m_form->helpShown()) {
        resetEntry();
        return;
    }
    m_state.HelpOpen = 1;
    m_form->showHelp(m_setup.helpText);
}

void TableWindow::calculate() {
    BusyCursor busy;
    // The grid is filled quietly and shown once, when every cell has its text.
    m_grid->beginUpdate();
    const auto showGrid = qScopeGuard([this] { m_grid->endUpdate(); });
    // An open help panel is closed first: the results are about to fill the grid it covers.
    resetEntry();
    m_state.HelpOpen = 0;
    m_state.EntryStarted = 0;
    m_calculated = false;

    TableResultsListener listener(*this);
    try {
        const Schedule& schedule =
            CalculateTable(m_state, m_form->loanInput(ScheduleKind::Table), &listener);
        ThrowIfFailed(schedule);
        showResults(schedule);
        m_calculated = true;
    } catch (const TermLimitError& error) {
        m_messages.message(QString::fromLatin1(error.userMessage()), m_setup.caption);
    } catch (const CalculationError& error) {
        m_messages.message(QString::fromLatin1(error.userMessage()), QStringLiteral("Help"));
    }
    m_printable = m_state.DataCount != 0;
}

void TableWindow::showResults(const Schedule& schedule) {
    const LoanInput& input = schedule.input;
    // Room for every additional payment the engine applied, whatever PrePayCount says: a count
    // left stale by an Additional Payments window closed by its frame must not drop rows.
    const int applied = static_cast<int>(schedule.extraPaymentsApplied.size());
    m_grid->setRows(std::max(23, schedule.tableRows + 4 + (applied > 0 ? applied + 4 : 0)));
    m_grid->blankAll();
    m_grid->setCellText(0, 0,
                        input.showDates   ? QStringLiteral(" Payment  Date")
                        : input.view == 2 ? QStringLiteral("  Payment   No.  Year")
                                          : QStringLiteral(" Payment  Year"));

    const int rows = schedule.tableRows;
    m_grid->setRowTexts(1, rows, std::make_shared<ScheduleTexts>(schedule));

    m_state.ChartTitle = m_setup.chartTitle;

    const QString& symbol = m_state.CurrencySymbol;
    m_grid->setCellText(rows + 2, 0, QStringLiteral("Total:"));
    for (int column = 3; column <= 5; ++column)
        m_grid->setCellText(rows + 2, column,
                            symbol + kMoneyCell.format(schedule.rows.at(rows, column + 1)));

    const Calculation& result = schedule.figures;
    m_totalPaid->setText(
        PadColumn(symbol + Format(result.totalPaid.toDouble(), u"###,,###.00"), 12));
    m_savings->setText(
        PadColumn(symbol + Format(result.interestSavings.toDouble(), u"###,,###.00"), 12));

    // A stale PrePayCount (the Additional Payments window closed by its frame) must not hide
    // payments the engine applied.
    if (m_state.PrePayCount > 0 || !schedule.extraPaymentsApplied.empty())
        listAppliedExtraPayments(schedule);

    m_grid->setSelEnd(1, 0);
}

// Lists the additional payments the engine applied, under the totals row and in the text block
// the printed report ends with. Amounts the engine ignored (they would have overpaid the loan)
// are not listed: the heading says "Applied".
void TableWindow::listAppliedExtraPayments(const Schedule& schedule) {
    const int rows = schedule.tableRows;
    const QStringList headings = {QStringLiteral("Additional "), QStringLiteral("Payments  "),
                                  QStringLiteral("Applied  ")};
    for (int column = 0; column < 3; ++column)
        m_grid->setCellText(rows + 4, column, headings[column]);
    RecordAppliedPayments(m_state, schedule.extraPaymentsApplied);

    int row = rows + 6;
    for (const auto& [year, amount] : schedule.extraPaymentsApplied) {
        m_grid->setCellText(row, 0, QString(12, u' ') + PadColumn(Format(year, u"###"), 3));
        m_grid->setCellText(row++, 2, Format(amount.toDouble(), u"###,,###.00"));
    }
}

void TableWindow::selectView(int view) {
    (view == 2 ? m_allPayments : m_annual)->setChecked(true);
    m_state.TableView = static_cast<std::int16_t>(view);
    resetEntry();
    m_state.EntryStarted = 0;
}

void TableWindow::toggleDates() {
    resetEntry();
    if (m_dateNumber->text() == kViewDatesCaption) {
        m_dateNumber->setText(kViewNumbersCaption);
        m_state.ShowDates = 1;
        emit firstPaymentDateRequested();
        ReturnFocus(m_dateNumber);
    } else {
        m_dateNumber->setText(kViewDatesCaption);
        m_state.ShowDates = 0;
    }
    m_state.EntryStarted = 0;
}

void TableWindow::showGraph() {
    if (m_state.DataCount == 0) {
        m_messages.message(QStringLiteral("No Data to work with. Calculate."),
                           QStringLiteral("Advisory"));
        return;
    }
    m_state.ChartSource = m_setup.chartSource;
    emit chartRequested();
}

// The window's part of the report: the no-data refusal, a fresh calculation, the header. The
// report itself prints from what that calculation produced.
void TableWindow::printTable() {
    const QString noData = QStringLiteral(" No data to Print. Calculate.");
    if (!m_printable) {
        m_messages.message(noData, QStringLiteral("Help"));
        return;
    }
    calculate();
    // A calculation that failed has said why; one that left nothing to print says so, rather
    // than print the figures of an earlier calculation.
    if (!m_calculated)
        return;
    if (m_state.DataCount == 0) {
        m_messages.message(noData, QStringLiteral("Help"));
        return;
    }
    const bool goOn = NamInput::askForHeader(m_state, this);
    ReturnFocus(m_form->print());
    if (!goOn || !m_printService)
        return;
    const TableReportLayout& layout = *m_setup.report;
    const Schedule& schedule = m_state.LastSchedule;
    const TableReportFigures figures = TableReportFigures::of(layout, schedule, m_state);
    m_printService->printReport(layout.name,
                                [this, &layout, &figures, &schedule](Printer& printer) {
                                    PrintTable(layout, figures, schedule, m_state, printer);
                                });
}

bool TableWindow::saveCsv(const QString& path) {
    return m_form->saveCsv(path, [this] { return csvText(); });
}

std::optional<QString> TableWindow::csvText() const {
    if (!m_calculated)
        return std::nullopt;
    return ScheduleCsv(m_state.LastSchedule);
}

void TableWindow::termPicked() {
    m_state.PrePayTable.size(45, 2);
    resetEntry();
}

// Leaving the window, by its exit button or its frame, drops the shared tables and returns to
// the menu.
void TableWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (m_exited)
        return;
    m_exited = true;
    m_state.TableView = 0;
    m_state.ReportLines.clear();
    m_state.InputValues.clear();
    m_state.TermMonths = 0;
    m_state.PrePayTable.erase();
    m_state.ChartData.erase();
    m_state.LastSchedule = Schedule();
    m_form->helpPanel()->clear();
    m_state.DataCount = 0;
    m_state.ChartSource = 0;
    m_state.PrePayApplied = 0;
    m_state.PrePayCount = 0;
    emit exited();
}

} // namespace qb
