#include "desktop/windows/comparewindow.h"

#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "core/print/printservice.h"
#include "core/reports/comparisonreport.h"
#include "core/reports/tablereport.h"
#include "desktop/platform/captionlabel.h"
#include "desktop/platform/grid.h"
#include "desktop/platform/keys.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/twips.h"
#include "desktop/platform/typinglimit.h"
#include "desktop/windows/entryboxes.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qb {

namespace {

const QString kCaption = QStringLiteral("Mortgage Comparisons");
const QString kHelpCaption = QStringLiteral("&Help");
const QString kCloseHelpCaption = QStringLiteral("Close &Help");
constexpr int kTableRows = kComparisonRowLimit + 1;

// The help text is written with the number of line breaks after each piece: the empty lines put
// the three example figures level with the principal, rate and period boxes beside the panel.
QString helpText() {
    const std::pair<const char*, int> pieces[] = {
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
    };
    QString text;
    for (const auto& [piece, breaks] : pieces)
        text += QString::fromUtf8(piece) + QString(breaks, u'\n');
    return text;
}

// The input boxes and result labels show padded figures, which only line up in a fixed font.
QFont figureFont() {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

} // namespace

CompareWindow::CompareWindow(SharedState& state, MessageBoxService& messages, QWidget* parent)
    : QWidget(parent), m_state(state), m_messages(messages) {
    setObjectName(QStringLiteral("MortComp"));
    buildControls();
    m_entry = std::make_unique<EntryBoxes>(
        EntryBoxes::Controls{m_principal, m_rate, m_term, m_compounding, m_frequency, m_calc,
                             m_helpPanel},
        m_state, m_messages,
        EntryBoxes::Actions{[this] { resetEntry(); }, [this](EntryBox box) { commitBox(box); },
                            false});
    load();
    // Room for the boxes, all twelve rows of the upper grid and a few lines of the lower one.
    resize(std::max(sizeHint().width(), 820), 700);
}

void CompareWindow::buildControls() {
    const auto makeLabel = [this](const QString& name, const QString& caption) {
        auto* label = new CaptionLabel(caption, this);
        label->setObjectName(name);
        return label;
    };
    const auto makeResult = [this](const QString& name) {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setObjectName(name);
        label->setFont(figureFont());
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setStyleSheet(QStringLiteral("background: white; color: black;"));
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(12, u'0')));
        return label;
    };
    const auto makeCombo = [this](const QString& name, bool editable) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(name);
        combo->setEditable(editable);
        // The value is exactly what was typed: no entry of the list completes it.
        if (editable)
            combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setFont(figureFont());
        combo->setStyleSheet(QStringLiteral("QComboBox { background: yellow; color: black; }"));
        // An editable box keeps the focus itself and hands the keys to its line edit, so its
        // keys and its focus changes are watched on the box.
        combo->installEventFilter(this);
        return combo;
    };
    const auto makeButton = [this](const QString& name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        PressOnEnter(button);
        return button;
    };

    m_principal = new QLineEdit(this);
    m_principal->setObjectName(QStringLiteral("InPrincipal"));
    m_principal->setFont(figureFont());
    m_principal->setAlignment(Qt::AlignRight);
    LimitTyping(m_principal, 16);
    m_principal->setStyleSheet(QStringLiteral("background: yellow; color: black;"));
    m_principal->installEventFilter(this);
    m_rate = makeCombo(QStringLiteral("InRate"), true);
    m_term = makeCombo(QStringLiteral("InTerm"), true);
    LimitTyping(m_rate->lineEdit(), 16);
    LimitTyping(m_term->lineEdit(), 16);
    m_compounding = makeCombo(QStringLiteral("ComPeriod"), false);
    m_frequency = makeCombo(QStringLiteral("FreqPmt"), false);

    m_principalLabel = makeLabel(QStringLiteral("Label1"), QString());
    m_rateLabel = makeLabel(QStringLiteral("Label2"), QString());
    m_termLabel = makeLabel(QStringLiteral("Label3"), QString());
    m_days = makeResult(QStringLiteral("InDays"));
    m_periodicRate = makeResult(QStringLiteral("PeriodicR"));

    m_calc = makeButton(QStringLiteral("Calc1"), QStringLiteral("&Calculate"));
    m_addPrePay = makeButton(QStringLiteral("AddPrePay1"), QStringLiteral("&Additional Payments"));
    m_help = makeButton(QStringLiteral("Help1"), kHelpCaption);
    m_graphs = makeButton(QStringLiteral("Graphs1"), QStringLiteral("&Show Graph"));
    m_print = makeButton(QStringLiteral("Prt1"), QStringLiteral("To &Printer"));
    m_exit = makeButton(QStringLiteral("Exitbut1"), QStringLiteral("E&xit to Menu"));

    m_rowGrid = new Grid(this);
    m_rowGrid->setObjectName(QStringLiteral("Grid1"));
    m_prePayGrid = new Grid(this);
    m_prePayGrid->setObjectName(QStringLiteral("Grid2"));
    // One line: its blanks are spacing, not places to break.
    auto* prePayCaption = new QLabel(QStringLiteral("*  Additional  Payments  Applied"), this);
    prePayCaption->setTextFormat(Qt::PlainText);
    prePayCaption->setObjectName(QStringLiteral("Label8"));
    m_helpPanel = new QPlainTextEdit(this);
    m_helpPanel->setObjectName(QStringLiteral("HlpTxtBox"));
    m_helpPanel->setReadOnly(true);
    m_helpPanel->setStyleSheet(QStringLiteral("background: cyan; color: black;"));
    m_helpPanel->installEventFilter(this);
    m_helpPanel->hide();

    // Inputs on the left, the two result labels beside them, commands on the right, the grids
    // below; the help panel takes the grids' place.
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(10);
    const auto addRow = [form](int row, int column, QWidget* caption, QWidget* field) {
        form->addWidget(caption, row, column);
        form->addWidget(field, row, column + 1);
    };
    addRow(0, 0, m_principalLabel, m_principal);
    addRow(1, 0, m_rateLabel, m_rate);
    addRow(2, 0, m_termLabel, m_term);
    addRow(3, 0,
           makeLabel(QStringLiteral("Label4"),
                     QStringLiteral(" Interest compound     periods per year.")),
           m_compounding);
    addRow(4, 0,
           makeLabel(QStringLiteral("Label5"),
                     QStringLiteral(" Frequency and type   of each payment.")),
           m_frequency);
    addRow(0, 2, makeLabel(QStringLiteral("Label7"), QStringLiteral(" Days     in year.")), m_days);
    addRow(1, 2,
           makeLabel(QStringLiteral("Label6"), QStringLiteral(" Interest        rate factor.")),
           m_periodicRate);
    form->setColumnMinimumWidth(0, 150);
    form->setColumnMinimumWidth(2, 110);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);

    auto* commands = new QVBoxLayout;
    for (QPushButton* button : {m_calc, m_addPrePay, m_help, m_graphs, m_print, m_exit})
        commands->addWidget(button);
    commands->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addSpacing(12);
    top->addLayout(commands);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_rowGrid, 3);
    layout->addWidget(prePayCaption);
    layout->addWidget(m_prePayGrid, 2);
    layout->addWidget(m_helpPanel, 5);

    // Enter moves along the boxes to Calculate; Tab follows the same road.
    setTabOrder(m_principal, m_rate);
    setTabOrder(m_rate, m_term);
    setTabOrder(m_term, m_compounding);
    setTabOrder(m_compounding, m_frequency);
    setTabOrder(m_frequency, m_calc);

    connect(m_calc, &QPushButton::clicked, this, &CompareWindow::calculate);
    connect(m_print, &QPushButton::clicked, this, &CompareWindow::printReport);
    connect(m_graphs, &QPushButton::clicked, this, &CompareWindow::showGraph);
    connect(m_help, &QPushButton::clicked, this, &CompareWindow::toggleHelp);
    connect(m_exit, &QPushButton::clicked, this, &CompareWindow::exitToMenu);
    connect(m_addPrePay, &QPushButton::clicked, this, [this] {
        resetEntry();
        m_state.EntryStarted = 0;
        emit additionalPaymentsRequested();
    });
    for (QComboBox* list : {m_rate, m_term, m_compounding, m_frequency})
        connect(list, &QComboBox::activated, this, &CompareWindow::resetEntry);
}

void CompareWindow::load() {
    LoadComparison(m_state, m_table);
    m_state.EntryStarted = 0;
    setUpRowGrid();
    setUpPrePayGrid();

    setWindowTitle(kCaption);
    m_state.InputValues[1] = Currency::fromUnits(100000 * Currency::kScale);
    m_principal->setText(QStringLiteral("   ") + m_state.CurrencySymbol +
                         QStringLiteral("100,000.00"));
    m_principalLabel->setText(QStringLiteral(" Principal amount of    mortgage."));
    m_rateLabel->setText(QStringLiteral(" Annual interest          rate(%)"));
    m_termLabel->setText(QStringLiteral(" Amortization period    in years."));
    m_state.InputValues[2] = Currency::fromUnits(10 * Currency::kScale);
    m_rate->addItems({QStringLiteral("6 "), QStringLiteral("7 "), QStringLiteral("8 "),
                      QStringLiteral("9 "), QStringLiteral("10 ")});
    m_rate->setCurrentIndex(-1);
    m_rate->setEditText(QStringLiteral("         10.00%"));
    m_state.InputValues[3] = Currency::fromUnits(25 * Currency::kScale);
    m_term->addItems({QStringLiteral("25"), QStringLiteral("30"), QStringLiteral("40")});
    m_term->setCurrentIndex(-1);
    m_term->setEditText(QStringLiteral("            25"));

    // The lists are the engine's own texts, so a choice always names an entry it knows.
    for (const Compounding& compounding : kCompoundings)
        m_compounding->addItem(QStringView(compounding.text).toString());
    for (const Frequency& frequency : kFrequencies)
        m_frequency->addItem(QStringView(frequency.text).toString());
    const int choice = m_state.CompoundChoice;
    m_compounding->setCurrentIndex(choice >= 1 && choice <= 4 ? choice : 0);
    m_frequency->setCurrentIndex(0);
    m_state.EntryStarted = 0;
}

void CompareWindow::setUpRowGrid() {
    m_rowGrid->setCols(8);
    m_rowGrid->setRows(kTableRows);
    m_rowGrid->setRowHeight(0, 660);
    const int widening[] = {450, 100, 140, 230, 675, 160, 440, 740};
    const QStringList headings = {
        QStringLiteral("Row Compound Frequency"),
        QStringLiteral("Amorti- zation Period"),
        QStringLiteral("Retired at end of Year"),
        QStringLiteral("Number Annual Paymts"),
        QStringLiteral("  Amount     of    Mortgage"),
        QStringLiteral("Annual Interest Rate"),
        QStringLiteral(" Principal  + Interest  Payment"),
        QStringLiteral("Total     Interest  Payments"),
    };
    m_rowGrid->setRow(0);
    for (int column = 0; column < 8; ++column) {
        m_rowGrid->setColWidth(column, m_rowGrid->colWidth(column) + widening[column]);
        m_rowGrid->setColAlignment(column, column < 4 ? Grid::AlignCenter : Grid::AlignRight);
        m_rowGrid->setFixedAlignment(column, Grid::AlignCenter);
        m_rowGrid->setCol(column);
        m_rowGrid->setText(headings[column]);
    }
    m_rowGrid->setSelEndRow(1);
    m_rowGrid->setSelEndCol(0);
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
    m_prePayGrid->setSelEndRow(1);
    m_prePayGrid->setSelEndCol(0);
}

void CompareWindow::clearRowGrid() {
    m_rowGrid->setRows(kTableRows);
    blankRowGrid();
}

void CompareWindow::blankRowGrid() {
    m_rowGrid->setSelStartRow(1);
    m_rowGrid->setSelStartCol(0);
    m_rowGrid->setSelEndRow(kTableRows - 1);
    m_rowGrid->setSelEndCol(m_rowGrid->cols() - 1);
    m_rowGrid->setFillStyle(1);
    m_rowGrid->setText(QString());
    m_rowGrid->setFillStyle(0);
    m_rowGrid->setSelStartRow(1);
    m_rowGrid->setSelEndRow(1);
    m_rowGrid->setSelEndCol(0);
}

void CompareWindow::resetEntry() {
    m_state.EntryStarted = 1;
    if (m_state.HelpOpen == 1)
        return;
    m_helpPanel->clear();
    if (m_table.RowCount == 0)
        blankRowGrid();
    if (m_help->text() == kCloseHelpCaption) {
        m_help->setText(kHelpCaption);
        m_print->setEnabled(true);
        m_graphs->setEnabled(true);
        m_helpPanel->hide();
        m_rowGrid->show();
        m_prePayGrid->show();
        m_state.EntryStarted = 0;
    }
    m_state.HelpOpen = 0;
    m_state.DataCount = 0;
}

void CompareWindow::toggleHelp() {
    m_state.HelpOpen = m_state.HelpOpen == 0 ? 1 : 0;
    if (m_help->text() != kHelpCaption) {
        // The panel closes through the steps every change of input takes.
        m_state.HelpOpen = 0;
        resetEntry();
        return;
    }
    m_help->setText(kCloseHelpCaption);
    m_print->setEnabled(false);
    m_graphs->setEnabled(false);
    m_rowGrid->hide();
    m_prePayGrid->hide();
    m_helpPanel->show();
    m_helpPanel->setFocus();
    m_helpPanel->setPlainText(helpText());
}

void CompareWindow::calculate() {
    BusyCursor busy;
    m_state.HelpOpen = 0;
    resetEntry();
    m_state.EntryStarted = 0;
    m_state.DataCount = 0;
    m_state.PrePayApplied = 0;
    try {
        const ComparisonRow row = AddComparisonRow(m_state, m_table, m_frequency->currentText(),
                                                   m_compounding->currentText());
        showRow(row);
    } catch (const TermLimitError& error) {
        m_messages.message(QString::fromLatin1(error.userMessage()), kCaption);
    } catch (const RowLimitError& error) {
        m_messages.message(QString::fromLatin1(error.userMessage()), kCaption);
    } catch (const CalculationError& error) {
        m_messages.message(QString::fromLatin1(error.userMessage()), QStringLiteral("Help"));
    }
}

void CompareWindow::showRow(const ComparisonRow& row) {
    m_days->setText(DaysInYearCaption(m_state, row.calculation));
    m_periodicRate->setText(Format(row.calculation.periodicRate, u"0.########"));
    if (row.number == 1)
        clearRowGrid();

    m_rowGrid->setRow(row.number);
    const std::array<QString, 8> cells = ComparisonRowCells(row, m_state.CurrencySymbol);
    for (int column = 0; column < 8; ++column) {
        m_rowGrid->setCol(column);
        m_rowGrid->setText(cells[static_cast<std::size_t>(column)]);
    }

    if (row.prePayColumn >= 0) {
        setUpPrePayGrid();
        const int right = m_table.PrePayGridCol - 1; // the pair the row has just taken
        const int count = static_cast<int>(row.extraPayments.size());
        m_prePayGrid->setRow(0);
        m_prePayGrid->setCol(right);
        m_prePayGrid->setText(QStringLiteral("  Row   ") +
                              m_table.PrePayYearText.at(0, row.prePayColumn));
        for (int line = 1; line <= count; ++line) {
            m_prePayGrid->setRow(line);
            m_prePayGrid->setCol(right - 1);
            m_prePayGrid->setText(m_table.PrePayYearText.at(line, row.prePayColumn));
            m_prePayGrid->setCol(right);
            m_prePayGrid->setText(m_table.PrePayAmountText.at(line, row.prePayColumn));
        }
    }
    m_rowGrid->fitColumnsToText();
    m_prePayGrid->fitColumnsToText();
    m_rowGrid->setSelEndRow(1);
    m_rowGrid->setSelEndCol(0);
}

void CompareWindow::printReport() {
    if (m_state.DataCount == 0) {
        m_messages.message(QString::fromLatin1(kNoDataToPrint), QStringLiteral("Help"));
        return;
    }
    emit reportHeaderRequested();
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
    hide();
    emit chartRequested();
}

void CompareWindow::exitToMenu() {
    close();
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
    m_state.ScheduleTable.erase();
    m_helpPanel->clear();
    m_state.DataCount = 0;
    m_state.ChartSource = 0;
    m_state.TableView = 0;
    m_table.RowCount = 0;
    emit exited();
}

bool CompareWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_entry && m_entry->filter(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void CompareWindow::commitBox(EntryBox box) {
    QLineEdit* edit = m_entry->edit(box);
    if (box == EntryBox::Term && Val(edit->text()) > 40) {
        m_messages.message(QString::fromLatin1(kFortyYearLimit), QStringLiteral("Help"));
        edit->setText(QStringLiteral("40"));
    }
    if (m_state.EntryStarted == 1) {
        const int index = box == EntryBox::Principal ? 1 : box == EntryBox::Rate ? 2 : 3;
        double value = ShownAmount(edit->text(), m_state.CurrencySymbol);
        try {
            m_state.InputValues[static_cast<std::size_t>(index)] = Currency::fromDouble(value);
        } catch (const OverflowError&) {
            // Too many digits for an amount: keep the value the box had before.
            m_messages.message(QString::fromLatin1(kWrongEntry), QStringLiteral("Help"));
            value = m_state.InputValues[static_cast<std::size_t>(index)].toDouble();
        }
        switch (box) {
        case EntryBox::Principal:
            edit->setText(PadColumn(m_state.CurrencySymbol + Format(value, u"####,,###.00"), 16));
            break;
        case EntryBox::Rate:
            edit->setText(PadColumn(Format(value, u"###.00"), 16) + QLatin1Char('%'));
            break;
        case EntryBox::Term:
            edit->setText(PadColumn(Format(value, u"###"), 16));
            break;
        }
    }
    m_state.EntryStarted = 0;
}

} // namespace qb
