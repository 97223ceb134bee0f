#include "desktop/windows/comparewindow.h"

#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "core/print/printservice.h"
#include "core/reports/comparisonreport.h"
#include "core/reports/spreadsheet.h"
#include "core/reports/tablereport.h"
#include "desktop/platform/accessibility.h"
#include "desktop/platform/captionlabel.h"
#include "desktop/platform/focus.h"
#include "desktop/platform/grid.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/screenfit.h"
#include "desktop/platform/twips.h"
#include "desktop/windows/calculationform.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qb {

namespace {

const QString kCaption = QStringLiteral("Mortgage Comparisons");
constexpr int kTableRows = kComparisonRowLimit + 1;

// The empty lines of the help text put the three example figures level with the principal, rate
// and period boxes beside the panel.
QString helpText() {
    return JoinHelp({
        {"To change any of the pre-programmed numbers click on the yellow box and type in your "
         "own. Read 'How to Use Programs' for greater detail.",
         2},
        {"If Additional Payments are used in a calculation a * will appear before the year "
         "number in Retired at End of Year column.  Year and Amounts with the row number where "
         "they were used are shown in lower grid.",
         2},
        {"100,000.00", 5},
        {"         10%", 5},
        {"          25", 3},
        {"Click down arrow to select different periods.", 2},
        {"American = Monthly.  Canadian = Semi-Annual.", 2},
        {"Click down arrow to select different payment frequencies.", 1},
        {"Accelerated payments. 26 instead of 12 annual payments at half the monthly principal "
         "+ Interest. Mortgage retired earlier.",
         2},
        {"Click 'Additional Payments'. Type year number, amount of payment. 'OK' accepts all "
         "changes, 'Erase all' sets all cells to 0. Effects all calculations unless Amortization "
         "changed or 'Erase all'. Amounts added at start of that year to Principal Payment.",
         0},
    });
}

} // namespace

CompareWindow::CompareWindow(SharedState& state, MessageBoxService& messages, QWidget* parent)
    : QWidget(parent), m_state(state), m_messages(messages) {
    setObjectName(QStringLiteral("MortComp"));
    buildControls();
    load();
    // Room for the boxes, all twelve rows of the upper grid and a few lines of the lower one, or
    // what the screen has.
    FitOnScreen(*this, QSize(std::max(sizeHint().width(), 820), 700));
}

void CompareWindow::buildControls() {
    CalculationForm::Setup form;
    form.compoundingName = QStringLiteral("ComPeriod");
    form.frequencyCaptionName = QStringLiteral("Label5");
    form.termLimitMessage = QString::fromLatin1(kFortyYearLimit);
    form.resetEntry = [this] {
        resetEntry();
    };
    m_form = std::make_unique<CalculationForm>(*this, std::move(form), m_state, m_messages);

    const auto makeResult = [this](const QString& name) {
        QLabel* label = m_form->makeResult(name, false);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(12, u'0')));
        return label;
    };
    m_days = makeResult(QStringLiteral("InDays"));
    m_periodicRate = makeResult(QStringLiteral("PeriodicR"));

    m_form->addCommands({QStringLiteral("Calc1"), QStringLiteral("AddPrePay1"),
                         QStringLiteral("Help1"), QStringLiteral("Graphs1"), QStringLiteral("Prt1"),
                         QStringLiteral("To &Printer"), QStringLiteral("Exitbut1")});
    m_rowGrid = new Grid(this);
    m_rowGrid->setObjectName(QStringLiteral("Grid1"));
    m_prePayGrid = new Grid(this);
    m_prePayGrid->setObjectName(QStringLiteral("Grid2"));
    // One line: its blanks are spacing, not places to break.
    auto* prePayCaption = new QLabel(QStringLiteral("*  Additional  Payments  Applied"), this);
    prePayCaption->setTextFormat(Qt::PlainText);
    prePayCaption->setObjectName(QStringLiteral("Label8"));
    NameForReaders(m_rowGrid, AccessibleName(kCaption));
    TieToCaption(m_prePayGrid, prePayCaption);
    m_form->addHelpPanel(QStringLiteral("HlpTxtBox"), {m_rowGrid, m_prePayGrid});
    m_form->offerSaveAsCsv(m_rowGrid, QStringLiteral("Mortgage Comparisons.csv"),
                           [this] { return csvText(); });

    // Inputs on the left, the two result labels beside them, commands on the right, the grids
    // below; the help panel takes the grids' place.
    m_form->addRow(
        0, 2, m_form->makeCaption(QStringLiteral("Label7"), QStringLiteral(" Days     in year.")),
        m_days);
    m_form->addRow(1, 2,
                   m_form->makeCaption(QStringLiteral("Label6"),
                                       QStringLiteral(" Interest        rate factor.")),
                   m_periodicRate);
    m_form->grid()->setColumnMinimumWidth(2, 110);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form->takeTop());
    layout->addWidget(m_rowGrid, 3);
    layout->addWidget(prePayCaption);
    layout->addWidget(m_prePayGrid, 2);
    layout->addWidget(m_form->helpPanel(), 5);

    connect(m_form->calc(), &QPushButton::clicked, this, &CompareWindow::calculate);
    connect(m_form->print(), &QPushButton::clicked, this, &CompareWindow::printReport);
    connect(m_form->graphs(), &QPushButton::clicked, this, &CompareWindow::showGraph);
    connect(m_form->help(), &QPushButton::clicked, this, &CompareWindow::toggleHelp);
    connect(m_form->exit(), &QPushButton::clicked, this, &QWidget::close);
    connect(m_form->addPrePay(), &QPushButton::clicked, this, [this] {
        resetEntry();
        m_state.EntryStarted = 0;
        emit additionalPaymentsRequested();
        ReturnFocus(m_form->addPrePay());
    });
    for (QComboBox* list :
         {m_form->rate(), m_form->term(), m_form->compounding(), m_form->frequency()})
        connect(list, &QComboBox::activated, this, &CompareWindow::resetEntry);
}

void CompareWindow::load() {
    LoadComparison(m_state, m_table);
    m_rows.clear();
    m_state.EntryStarted = 0;
    setUpRowGrid();
    setUpPrePayGrid();

    setWindowTitle(kCaption);
    m_form->load({100000,
                  QStringLiteral("100,000.00"),
                  QStringLiteral(" Principal amount of    mortgage."),
                  QStringLiteral(" Annual interest          rate(%)"),
                  QStringLiteral(" Amortization period    in years."),
                  {QStringLiteral("25"), QStringLiteral("30"), QStringLiteral("40")},
                  25,
                  QStringLiteral("            25"),
                  m_state.CompoundChoice});
    m_state.EntryStarted = 0;
}

void CompareWindow::setUpRowGrid() {
    m_rowGrid->setRows(kTableRows);
    m_rowGrid->setColumns(
        660, {
                 {QStringLiteral("Row Compound Frequency"), 450, Grid::AlignCenter},
                 {QStringLiteral("Amorti- zation Period"), 100, Grid::AlignCenter},
                 {QStringLiteral("Retired at end of Year"), 140, Grid::AlignCenter},
                 {QStringLiteral("Number Annual Paymts"), 230, Grid::AlignCenter},
                 {QStringLiteral("  Amount     of    Mortgage"), 675, Grid::AlignRight},
                 {QStringLiteral("Annual Interest Rate"), 160, Grid::AlignRight},
                 {QStringLiteral(" Principal  + Interest  Payment"), 440, Grid::AlignRight},
                 {QStringLiteral("Total     Interest  Payments"), 740, Grid::AlignRight},
             });
    m_rowGrid->setSelEnd(1, 0);
}

void CompareWindow::setUpPrePayGrid() {
    m_prePayGrid->setCols(std::max<int>(m_table.PrePayGridCols, 10));
    m_prePayGrid->setRows(std::max<int>(m_table.PrePayGridRows, 10));
    m_prePayGrid->setRowHeight(0, 220);
    // A pair is 400 twips for the year and 1000 for the amount, or what this screen's font
    // needs to show a year and an amount of millions whole, when that is more.
    const auto fits = [this](const QString& text, int twips) {
        const int pixels = m_prePayGrid->fontMetrics().horizontalAdvance(text) + 10;
        return std::max(twips, PixelsToTwips(pixels, m_prePayGrid->logicalDpiX()));
    };
    const int yearWidth = fits(QStringLiteral(" 40"), 400);
    const int amountWidth = fits(QStringLiteral(" 1,000,000.00"), 1000);
    for (int column = 0; column < m_prePayGrid->cols(); ++column) {
        m_prePayGrid->setColWidth(column, column % 2 == 0 ? yearWidth : amountWidth);
        m_prePayGrid->setColAlignment(column, Grid::AlignRight);
        m_prePayGrid->setFixedAlignment(column, Grid::AlignCenter);
    }
    m_prePayGrid->setSelEnd(1, 0);
}

// The grid always has its kTableRows rows when it is blanked.
void CompareWindow::blankRowGrid() {
    m_rowGrid->blankAll();
    m_rowGrid->setSelStartRow(1);
    m_rowGrid->setSelEnd(1, 0);
}

void CompareWindow::resetEntry() {
    m_state.EntryStarted = 1;
    if (m_state.HelpOpen == 1)
        return;
    m_form->helpPanel()->clear();
    if (m_table.RowCount == 0)
        blankRowGrid();
    if (m_form->helpShown()) {
        m_form->hideHelp();
        m_state.EntryStarted = 0;
    }
    m_state.HelpOpen = 0;
    m_state.DataCount = 0;
}

void CompareWindow::toggleHelp() {
    m_state.HelpOpen = m_state.HelpOpen == 0 ? 1 : 0;
    if (m_form->helpShown()) {
        // The panel closes through the steps every change of input takes.
        m_state.HelpOpen = 0;
        resetEntry();
        return;
    }
    m_form->showHelp(helpText());
}

void CompareWindow::calculate() {
    BusyCursor busy;
    m_state.HelpOpen = 0;
    resetEntry();
    m_state.EntryStarted = 0;
    m_state.DataCount = 0;
    m_state.PrePayApplied = 0;
    try {
        const ComparisonRow row =
            AddComparisonRow(m_state, m_table, m_form->loanInput(ScheduleKind::Comparison));
        showRow(row);
        m_rows.push_back(row);
    } catch (const CalculationError& error) {
        m_messages.message(QString::fromLatin1(error.userMessage()), QStringLiteral("Help"));
    } catch (const CalculationRefusal& error) {
        // A term or row limit.
        m_messages.message(QString::fromLatin1(error.userMessage()), kCaption);
    }
}

bool CompareWindow::saveCsv(const QString& path) {
    return m_form->saveCsv(path, [this] { return csvText(); });
}

std::optional<QString> CompareWindow::csvText() const {
    if (m_rows.empty())
        return std::nullopt;
    return ComparisonCsv(m_rows);
}

void CompareWindow::showRow(const ComparisonRow& row) {
    m_days->setText(DaysInYearCaption(m_state, row.calculation));
    m_periodicRate->setText(Format(row.calculation.periodicRate, u"0.########"));
    if (row.number == 1) {
        m_rowGrid->setRows(kTableRows);
        blankRowGrid();
    }

    const std::array<QString, 8> cells = ComparisonRowCells(row, m_state.CurrencySymbol);
    for (int column = 0; column < 8; ++column)
        m_rowGrid->setCellText(row.number, column, cells[static_cast<std::size_t>(column)]);

    if (row.prePayColumn >= 0) {
        setUpPrePayGrid();
        const int right = m_table.PrePayGridCol - 1; // the pair the row has just taken
        const int count = static_cast<int>(row.extraPayments.size());
        m_prePayGrid->setCellText(
            0, right, QStringLiteral("  Row   ") + m_table.PrePayYearText.at(0, row.prePayColumn));
        for (int line = 1; line <= count; ++line) {
            m_prePayGrid->setCellText(line, right - 1,
                                      m_table.PrePayYearText.at(line, row.prePayColumn));
            m_prePayGrid->setCellText(line, right,
                                      m_table.PrePayAmountText.at(line, row.prePayColumn));
        }
    }
    m_rowGrid->fitColumnsToText();
    m_prePayGrid->fitColumnsToText();
    m_rowGrid->setSelEnd(1, 0);
}

void CompareWindow::printReport() {
    if (m_state.DataCount == 0) {
        m_messages.message(QString::fromLatin1(kNoDataToPrint), QStringLiteral("Help"));
        return;
    }
    emit reportHeaderRequested();
    ReturnFocus(m_form->print());
    if (m_state.ReportHeader == u"1" || m_printService == nullptr)
        return;
    // The service shows the hourglass and tells the user of a printer failure.
    m_printService->printReport(
        kCaption, [this](Printer& printer) { PrintComparisonReport(m_state, m_table, printer); });
}

// The one way to the comparison chart. Until a chart window listens, there is nothing to show
// the data in, and the user is told so as when there is no data.
void CompareWindow::showGraph() {
    const bool chartAvailable =
        isSignalConnected(QMetaMethod::fromSignal(&CompareWindow::chartRequested));
    if (m_state.DataCount == 0 || !chartAvailable) {
        m_messages.message(QStringLiteral("No Data to work with. Calculate."),
                           QStringLiteral("Advisory"));
        return;
    }
    m_state.ChartSource = 1;
    emit chartRequested();
}

// Leaving the window, by its exit button or its frame, drops the table and returns to the menu.
void CompareWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (m_exited)
        return;
    m_exited = true;
    m_state.ReportLines.clear();
    m_state.InputValues.clear();
    m_table.PrePayYearText.erase();
    m_table.PrePayAmountText.erase();
    m_state.PrePayTable.erase();
    m_state.ChartData.erase();
    m_form->helpPanel()->clear();
    m_state.DataCount = 0;
    m_state.ChartSource = 0;
    m_state.TableView = 0;
    m_table.RowCount = 0;
    m_rows.clear();
    emit exited();
}

} // namespace qb
