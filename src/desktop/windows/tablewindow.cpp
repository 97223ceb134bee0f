#include "desktop/windows/tablewindow.h"

#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "core/format/numberpicture.h"
#include "core/print/printservice.h"
#include "desktop/platform/captionlabel.h"
#include "desktop/platform/grid.h"
#include "desktop/platform/keys.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/teardown.h"
#include "desktop/platform/typinglimit.h"
#include "desktop/windows/entryboxes.h"
#include "desktop/windows/naminput.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

#include <cmath>

namespace qb {

namespace {

const QString kHelpCaption = QStringLiteral("&Help");
const QString kCloseHelpCaption = QStringLiteral("Close &Help");
const QString kViewDatesCaption = QStringLiteral("&View Payment dates");
const QString kViewNumbersCaption = QStringLiteral("&View Payment No.");

// The list entries are the engine's own texts, so a choice always names a known entry.
QStringList compoundingList() {
    QStringList list;
    for (const Compounding& compounding : kCompoundings)
        list << QStringView(compounding.text).toString();
    return list;
}

QStringList frequencyList() {
    QStringList list;
    for (const Frequency& frequency : kFrequencies)
        list << QStringView(frequency.text).toString();
    return list;
}

// The help text is written with the number of line breaks after each piece, which lines the
// example figures up with the input boxes beside the panel.
QString joinHelp(std::initializer_list<std::pair<const char*, int>> pieces) {
    QString text;
    for (const auto& [piece, breaks] : pieces) {
        text += QString::fromUtf8(piece);
        for (int i = 0; i < breaks; ++i)
            text += QLatin1Char('\n');
    }
    return text;
}

Currency money(double value) {
    return Currency::fromDouble(value);
}

// The input boxes and result labels show padded figures, which only line up in a fixed font.
QFont figureFont() {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

// Every box and result is wide enough for the widest figure a valid input gives, with a
// two-character currency symbol: "$4,075,880,709.93" is the total paid on 1,000,000,000.00 at
// 10 % over 480 months. Both table windows use the same widths.
constexpr int kFigureLength = 18;

// The figure's width and room for a box's frame and inner margins.
int figureWidth() {
    return QFontMetrics(figureFont()).horizontalAdvance(QString(kFigureLength, u'0')) + 12;
}

// A period of whole months up to the limit is kept as typed; anything else (an empty box, a
// fraction) leaves only the years kept to four decimals.
std::int16_t wholeMonths(double months) {
    if (months >= 1 && months <= 480 && months == std::floor(months))
        return static_cast<std::int16_t>(months);
    return 0;
}

// What the user may type into an input box; what the window writes back may be longer.
constexpr int kTypedLength = 16;

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
    setup.chartTitle = QStringLiteral("Mortgage balance at start of each Year");
    setup.chartSource = 4;
    setup.report = &MortgageTableReport();
    setup.principal = 100000;
    setup.principalText = QStringLiteral("100,000.00");
    setup.termList = {QStringLiteral("25"), QStringLiteral("30"), QStringLiteral("40")};
    setup.termYears = 25;
    setup.termText = QStringLiteral("            25");
    setup.helpText = joinHelp({
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
    setup.chartTitle = QStringLiteral("Personal Loan balance at start of each Year");
    setup.chartSource = 2;
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
    setup.helpText = joinHelp({
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
    void extraPaymentApplied(int year, Currency amount) override {
        m_window.m_appliedExtras.emplace_back(year, amount);
    }

private:
    TableWindow& m_window;
};

TableWindow::TableWindow(TableWindowSetup setup, SharedState& state, MessageBoxService& messages,
                         QWidget* parent)
    : QWidget(parent), m_setup(std::move(setup)), m_state(state), m_messages(messages) {
    setObjectName(m_setup.formName);
    buildControls();
    m_entry = std::make_unique<EntryBoxes>(
        EntryBoxes::Controls{m_principal, m_rate, m_term, m_compounding, m_frequency, m_calc,
                             m_helpPanel},
        m_state, m_messages,
        EntryBoxes::Actions{[this] { resetEntry(); }, [this](EntryBox box) { commitBox(box); },
                            true});
    load();
    // Room for the whole form and a good twenty rows of the table.
    resize(std::max(sizeHint().width(), 760), 720);
}

TableWindow::~TableWindow() {
    DetachFromChildren(*this);
}

void TableWindow::buildControls() {
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
        label->setAutoFillBackground(true);
        label->setStyleSheet(QStringLiteral("background: white; color: black;"));
        label->setMinimumWidth(figureWidth());
        return label;
    };
    const auto makeCombo = [this](const QString& name, bool editable) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(name);
        combo->setEditable(editable);
        // The value is exactly what was typed: no entry of the list completes it.
        if (editable) {
            combo->setCompleter(nullptr);
            combo->setMinimumContentsLength(kFigureLength);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        }
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
    LimitTyping(m_principal, kTypedLength);
    m_principal->setMinimumWidth(figureWidth());
    m_principal->setStyleSheet(QStringLiteral("background: yellow; color: black;"));
    m_principal->installEventFilter(this);
    m_rate = makeCombo(QStringLiteral("InRate"), true);
    m_term = makeCombo(QStringLiteral("InTerm"), true);
    LimitTyping(m_rate->lineEdit(), kTypedLength);
    LimitTyping(m_term->lineEdit(), kTypedLength);
    m_compounding = makeCombo(QStringLiteral("Comperiod"), false);
    m_frequency = makeCombo(QStringLiteral("FreqPmt"), false);

    m_principalLabel = makeLabel(QStringLiteral("Label1"), QString());
    m_rateLabel = makeLabel(QStringLiteral("Label2"), QString());
    m_termLabel = makeLabel(QStringLiteral("Label3"), QString());

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

    m_dateNumber = makeButton(QStringLiteral("DateNumber"), kViewDatesCaption);
    m_addPrePay = makeButton(QStringLiteral("AddPrePay"), QStringLiteral("&Additional Payments"));
    m_calc = makeButton(m_setup.calcName, QStringLiteral("&Calculate"));
    m_help = makeButton(m_setup.helpName, kHelpCaption);
    m_graphs = makeButton(QStringLiteral("Graphs"), QStringLiteral("&Show Graph"));
    m_print = makeButton(m_setup.printName, QStringLiteral(" To &Printer"));
    m_exit = makeButton(QStringLiteral("ExitButt"), QStringLiteral("E&xit to Menu"));

    m_grid = new Grid(this);
    m_grid->setObjectName(m_setup.gridName);
    m_helpPanel = new QPlainTextEdit(this);
    m_helpPanel->setObjectName(QStringLiteral("TxtBox"));
    m_helpPanel->setReadOnly(true);
    m_helpPanel->setStyleSheet(QStringLiteral("background: cyan; color: black;"));
    m_helpPanel->installEventFilter(this);
    m_helpPanel->hide();

    // Inputs on the left, results in the middle, commands on the right, the table below.
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
           makeLabel(QStringLiteral("Label6"),
                     QStringLiteral(" Frequency and type   of each payment.")),
           m_frequency);
    auto* views = new QHBoxLayout;
    views->addWidget(m_annual);
    views->addWidget(m_allPayments);
    views->addStretch();
    form->addWidget(makeLabel(QStringLiteral("Label7"), QStringLiteral(" Show Payments.")), 5, 0);
    form->addLayout(views, 5, 1);

    addRow(0, 2, makeLabel(QStringLiteral("Label15"), m_setup.daysLabel), m_days);
    addRow(1, 2, makeLabel(QStringLiteral("Label9"), QStringLiteral(" Interest rate  factor.")),
           m_periodicRate);
    addRow(2, 2,
           makeLabel(QStringLiteral("Label10"), QStringLiteral(" No. of payments  each year.")),
           m_paymentsPerYear);
    addRow(3, 2,
           makeLabel(QStringLiteral("Label12"), QStringLiteral(" Principal+Interest  payment.")),
           m_payment);
    addRow(4, 2, makeLabel(QStringLiteral("Label11"), m_setup.yearsToRetireLabel), m_yearsToRetire);
    addRow(5, 2, makeLabel(QStringLiteral("Label8"), m_setup.totalPaidLabel), m_totalPaid);
    addRow(6, 2, makeLabel(QStringLiteral("Label5"), m_setup.savingsLabel), m_savings);
    form->addWidget(m_dateNumber, 6, 0, 1, 2);
    form->setColumnMinimumWidth(0, 150);
    form->setColumnMinimumWidth(2, 150);
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
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_helpPanel, 1);

    // Enter moves along the boxes to Calculate; Tab follows the same road.
    setTabOrder(m_principal, m_rate);
    setTabOrder(m_rate, m_term);
    setTabOrder(m_term, m_compounding);
    setTabOrder(m_compounding, m_frequency);
    setTabOrder(m_frequency, m_calc);

    connect(m_calc, &QPushButton::clicked, this, &TableWindow::calculate);
    connect(m_help, &QPushButton::clicked, this, &TableWindow::toggleHelp);
    connect(m_exit, &QPushButton::clicked, this, &TableWindow::exitToMenu);
    connect(m_print, &QPushButton::clicked, this, &TableWindow::printTable);
    connect(m_graphs, &QPushButton::clicked, this, &TableWindow::showGraph);
    connect(m_dateNumber, &QPushButton::clicked, this, &TableWindow::toggleDates);
    connect(m_addPrePay, &QPushButton::clicked, this, [this] {
        resetEntry();
        m_state.EntryStarted = 0;
        emit additionalPaymentsRequested();
    });
    connect(m_allPayments, &QRadioButton::clicked, this, [this] { selectView(2); });
    connect(m_annual, &QRadioButton::clicked, this, [this] { selectView(1); });
    connect(m_rate, &QComboBox::activated, this, &TableWindow::resetEntry);
    connect(m_compounding, &QComboBox::activated, this, &TableWindow::resetEntry);
    connect(m_frequency, &QComboBox::activated, this, &TableWindow::resetEntry);
    connect(m_term, &QComboBox::activated, this, &TableWindow::termPicked);
}

void TableWindow::load() {
    SizeCalculationTables(m_state);
    m_state.HelpOpen = 0;
    m_state.EntryStarted = 0;
    m_state.TableView = 1;
    m_state.TableRows = 26;
    setUpTableGrid();
    selectView(m_setup.startWithEveryPayment ? 2 : 1);
    m_state.ShowDates = 0;

    setWindowTitle(m_setup.caption);
    m_state.InputValues[1] = money(m_setup.principal);
    m_principal->setText(QStringLiteral("   ") + m_state.CurrencySymbol + m_setup.principalText);
    m_principalLabel->setText(m_setup.principalLabel);
    m_rateLabel->setText(m_setup.rateLabel);
    m_termLabel->setText(m_setup.termLabel);

    m_state.InputValues[2] = money(10);
    m_rate->addItems({QStringLiteral("6 "), QStringLiteral("7 "), QStringLiteral("8 "),
                      QStringLiteral("9 "), QStringLiteral("10 ")});
    m_rate->setCurrentIndex(-1);
    m_rate->setEditText(QStringLiteral("         10.00%"));
    m_state.InputValues[3] = money(m_setup.termYears);
    m_state.TermMonths =
        m_setup.termInMonths ? static_cast<std::int16_t>(m_setup.termYears * 12) : 0;
    m_term->addItems(m_setup.termList);
    m_term->setCurrentIndex(-1);
    m_term->setEditText(m_setup.termText);

    m_compounding->addItems(compoundingList());
    const int compounding = m_setup.useCompoundChoice ? m_state.CompoundChoice : 0;
    m_compounding->setCurrentIndex(compounding >= 1 && compounding <= 4 ? compounding : 0);
    m_frequency->addItems(frequencyList());
    m_frequency->setCurrentIndex(0);
    m_state.EntryStarted = 0;
}

void TableWindow::setUpTableGrid() {
    m_grid->setCols(6);
    m_grid->setRows(m_state.TableRows);
    m_grid->setRowHeight(0, 500);
    const int widening[] = {520, 550, 650, 700, 700, 700};
    for (int column = 0; column < 6; ++column) {
        m_grid->setColWidth(column, m_grid->colWidth(column) + widening[column]);
        m_grid->setColAlignment(column, column == 0 ? Grid::AlignCenter : Grid::AlignRight);
        m_grid->setFixedAlignment(column, Grid::AlignCenter);
    }
    const QStringList headings = {
        m_state.TableView == 2 ? QStringLiteral("  Payment   No.  Year")
                               : QStringLiteral(" Year Number"),
        QStringLiteral("Interest Payment"),
        QStringLiteral("Principal Payment"),
        QStringLiteral("Remaining Balance"),
        QStringLiteral("Cumulative Interest"),
        QStringLiteral("Cumulative Principal"),
    };
    m_grid->setRow(0);
    for (int column = 0; column < 6; ++column) {
        m_grid->setCol(column);
        m_grid->setText(headings[column]);
    }
    m_grid->setSelEndRow(1);
    m_grid->setSelEndCol(0);
}

void TableWindow::sizeTableGrid() {
    // Room for every additional payment the engine applied, whatever PrePayCount says: a count
    // left stale by an Additional Payments window closed by its frame must not drop rows.
    const int applied = static_cast<int>(m_appliedExtras.size());
    const int extra = applied > 0 ? applied + 4 : 0;
    m_grid->setRows(std::max(23, m_state.TableRows + 4 + extra));
    blankGrid();
}

// Empties every row under the headings; the selection is left over them.
void TableWindow::blankGrid() {
    m_grid->setSelStartRow(1);
    m_grid->setSelStartCol(0);
    m_grid->setSelEndRow(m_grid->rows() - 1);
    m_grid->setSelEndCol(m_grid->cols() - 1);
    m_grid->setFillStyle(1);
    m_grid->setText(QString());
    m_grid->setFillStyle(0);
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
    blankGrid();
    m_grid->setSelEndRow(1);
    m_grid->setSelEndCol(0);
    if (m_state.HelpOpen != 1)
        return;

    m_helpPanel->clear();
    if (m_help->text() == kCloseHelpCaption) {
        m_help->setText(kHelpCaption);
        m_print->setEnabled(true);
        m_graphs->setEnabled(true);
        m_helpPanel->hide();
        m_grid->show();
        m_state.EntryStarted = 0;
    }
    m_state.HelpOpen = 0;
    m_printable = false;
}

void TableWindow::toggleHelp() {
    if (m_help->text() != kHelpCaption) {
        resetEntry();
        return;
    }
    m_state.HelpOpen = 1;
    m_help->setText(kCloseHelpCaption);
    m_print->setEnabled(false);
    m_graphs->setEnabled(false);
    m_grid->hide();
    m_helpPanel->show();
    m_helpPanel->setFocus();
    m_helpPanel->setPlainText(m_setup.helpText);
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
    m_appliedExtras.clear();
    m_result.reset();

    TableResultsListener listener(*this);
    try {
        const Calculation result =
            Calculate(m_state, m_frequency->currentText(), m_compounding->currentText(), &listener);
        showResults(result);
        m_result = result;
    } catch (const TermLimitError& error) {
        m_messages.message(QString::fromLatin1(error.userMessage()), m_setup.caption);
    } catch (const CalculationError& error) {
        m_messages.message(QString::fromLatin1(error.userMessage()), QStringLiteral("Help"));
    }
    m_printable = m_state.DataCount != 0;
}

void TableWindow::showResults(const Calculation& result) {
    sizeTableGrid();
    m_grid->setRow(0);
    m_grid->setCol(0);
    if (m_state.ShowDates == 1)
        m_grid->setText(QStringLiteral(" Payment  Date"));
    else if (m_state.TableView == 2)
        m_grid->setText(QStringLiteral("  Payment   No.  Year"));
    else
        m_grid->setText(QStringLiteral(" Payment  Year"));

    const CurrencyTable& table = m_state.ScheduleTable;
    const int rows = m_state.TableRows;
    static const NumberPicture moneyCell(u"####,,###.00");
    static const NumberPicture paymentNumber(u"####");
    static const NumberPicture yearNumber(u"###");
    for (int i = 1; i <= rows; ++i) {
        m_grid->setRow(i);
        m_grid->setCol(0);
        if (m_state.ShowDates == 1) {
            m_grid->setText(Format(table.at(i, 7).toDouble(), u"Short Date"));
        } else {
            QString number = PadColumn(paymentNumber.format(table.at(i, 1)), 4);
            if (m_state.TableView != 1)
                number += PadColumn(yearNumber.format(table.at(i, 0)), 8);
            m_grid->setText(number);
        }
        for (int column = 1; column <= 5; ++column) {
            m_grid->setCol(column);
            m_grid->setText(moneyCell.format(table.at(i, column + 1)));
        }
    }

    m_state.ChartTitle = m_setup.chartTitle;

    const QString& symbol = m_state.CurrencySymbol;
    m_grid->setRow(rows + 2);
    m_grid->setCol(0);
    m_grid->setText(QStringLiteral("Total:"));
    for (int column = 3; column <= 5; ++column) {
        m_grid->setCol(column);
        m_grid->setText(symbol + moneyCell.format(table.at(rows, column + 1)));
    }

    m_totalPaid->setText(
        PadColumn(symbol + Format(result.totalPaid.toDouble(), u"###,,###.00"), 12));
    m_savings->setText(
        PadColumn(symbol + Format(result.interestSavings.toDouble(), u"###,,###.00"), 12));

    // A stale PrePayCount (the Additional Payments window closed by its frame) must not hide
    // payments the engine applied.
    if (m_state.PrePayCount > 0 || !m_appliedExtras.empty())
        listAppliedExtraPayments();

    m_grid->setSelEndRow(1);
    m_grid->setSelEndCol(0);
}

// Lists the additional payments the engine applied, under the totals row and in the text block
// the printed report ends with. Amounts the engine ignored (they would have overpaid the loan)
// are not listed: the heading says "Applied".
void TableWindow::listAppliedExtraPayments() {
    const int rows = m_state.TableRows;
    m_grid->setRow(rows + 4);
    const QStringList headings = {QStringLiteral("Additional "), QStringLiteral("Payments  "),
                                  QStringLiteral("Applied  ")};
    for (int column = 0; column < 3; ++column) {
        m_grid->setCol(column);
        m_grid->setText(headings[column]);
    }
    RecordAppliedPayments(m_state, m_appliedExtras);

    int row = rows + 6;
    for (const auto& [year, amount] : m_appliedExtras) {
        m_grid->setRow(row++);
        m_grid->setCol(0);
        m_grid->setText(QString(12, u' ') + PadColumn(Format(year, u"###"), 3));
        m_grid->setCol(2);
        m_grid->setText(Format(amount.toDouble(), u"###,,###.00"));
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
    hide();
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
    if (!m_result)
        return;
    if (m_state.DataCount == 0) {
        m_messages.message(noData, QStringLiteral("Help"));
        return;
    }
    if (!NamInput::askForHeader(m_state, this) || !m_printService)
        return;
    const TableReportLayout& layout = *m_setup.report;
    const TableReportFigures figures = TableReportFigures::of(
        layout, m_state, *m_result, m_compounding->currentText(), m_frequency->currentText());
    m_printService->printReport(layout.name, [this, &layout, &figures](Printer& printer) {
        PrintTable(layout, figures, m_state, printer);
    });
}

void TableWindow::termPicked() {
    m_state.PrePayTable.size(45, 2);
    resetEntry();
}

void TableWindow::exitToMenu() {
    close();
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
    m_state.AnnualTable.erase();
    m_state.ScheduleTable.erase();
    m_helpPanel->clear();
    m_state.DataCount = 0;
    m_state.ChartSource = 0;
    m_state.PrePayApplied = 0;
    m_state.TableRows = 0;
    m_state.PrePayCount = 0;
    emit exited();
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_entry && m_entry->filter(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TableWindow::commitBox(EntryBox box) {
    QLineEdit* edit = m_entry->edit(box);
    if (box == EntryBox::Term) {
        const bool months = m_setup.termInMonths;
        if (Val(edit->text()) > (months ? 480 : 40)) {
            m_messages.message(months ? QStringLiteral("Wrong entry, 480 Month limit.")
                                      : QString::fromLatin1(kFortyYearLimit),
                               QStringLiteral("Help"));
            edit->setText(months ? QStringLiteral("480") : QStringLiteral("40"));
        }
    }
    if (m_state.EntryStarted == 1) {
        const int index = box == EntryBox::Principal ? 1 : box == EntryBox::Rate ? 2 : 3;
        // A loan's months are kept as years, to four decimals: 7 months is 0.5833 years.
        const bool months = box == EntryBox::Term && m_setup.termInMonths;
        const double typed = ShownAmount(edit->text(), m_state.CurrencySymbol);
        double value = typed / (months ? 12 : 1);
        try {
            m_state.InputValues[static_cast<std::size_t>(index)] = money(value);
            if (months)
                m_state.TermMonths = wholeMonths(typed);
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
        case EntryBox::Term: {
            const double kept = m_state.InputValues[3].toDouble();
            edit->setText(PadColumn(Format(months ? kept * 12 : kept, u"###"), 16));
            break;
        }
        }
    }
    m_state.EntryStarted = 0;
}

} // namespace qb
