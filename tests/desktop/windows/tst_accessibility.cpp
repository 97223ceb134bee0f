// Every window used by the keyboard alone and by a screen reader: Tab and Shift+Tab run through
// the controls in reading order, come round again and leave the grids; Esc closes a dialog as its
// frame does; the accessible tree names each control after its caption.
#include "core/settings/daysperyear.h"
#include "desktop/platform/grid.h"
#include "desktop/platform/resultlabel.h"
#include "desktop/windows/comparewindow.h"
#include "desktop/windows/dateinputwindow.h"
#include "desktop/windows/mainmenu.h"
#include "desktop/windows/naminput.h"
#include "desktop/windows/personalizewindow.h"
#include "desktop/windows/prepaywindow.h"
#include "desktop/windows/tablewindow.h"
#include "desktop/windowtest.h"

#include <QAccessible>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qb;

namespace {

// The named control a widget or accessible object belongs to: a grid's view, a list's text box
// and its choices have no names of their own.
QString controlName(const QObject* object) {
    for (; object; object = object->parent()) {
        if (!object->objectName().isEmpty() && !object->objectName().startsWith(u"qt_"))
            return object->objectName();
    }
    return {};
}

QString focusName() {
    return controlName(QApplication::focusWidget());
}

// The words the expected names use for the roles of the controls a reader is told of.
QString roleWord(const QAccessibleInterface* node) {
    static const QHash<QAccessible::Role, QString> words = {
        {QAccessible::Window, "window"},     {QAccessible::Dialog, "dialog"},
        {QAccessible::PushButton, "button"}, {QAccessible::RadioButton, "option"},
        {QAccessible::ComboBox, "list"},     {QAccessible::EditableText, "text"},
        {QAccessible::Table, "grid"}};
    return qobject_cast<ResultLabel*>(node->object()) ? QStringLiteral("result")
                                                      : words.value(node->role());
}

// One line per control as "name|role|what a reader says": the accessible name, for a result
// followed by its figure, for a grid followed by its columns' headings. A part of a list (its
// choices, its text box) not named as the list is shows up as a line of its own.
void walk(QAccessibleInterface* node, QStringList& lines) {
    const QString role = roleWord(node);
    QString said = node->text(QAccessible::Name);
    if (role == u"result" && !node->text(QAccessible::Description).isEmpty())
        said += QStringLiteral(", ") + node->text(QAccessible::Description);
    for (int i = 0; role == u"grid" && i < node->childCount(); ++i) {
        if (node->child(i)->role() == QAccessible::ColumnHeader)
            said += u';' + node->child(i)->text(QAccessible::Name);
    }
    if (!role.isEmpty())
        lines << controlName(node->object()) + u'|' + role + u'|' + said;
    for (int i = 0; role != u"grid" && i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (role != u"list")
            walk(child, lines);
        else if (child->text(QAccessible::Name) != said)
            lines << controlName(node->object()) + QStringLiteral("|part|") +
                         child->text(QAccessible::Name);
    }
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();

    void tabRunsThroughEveryControl_data();
    void tabRunsThroughEveryControl();
    void tabLeavesTheGrid_data();
    void tabLeavesTheGrid();
    void escClosesAsTheFrameDoes_data();
    void escClosesAsTheFrameDoes();
    void everyControlIsNamedAfterItsCaption_data();
    void everyControlIsNamedAfterItsCaption();

private:
    void open(const QString& form);
    template <class T> T* control(const QString& name) const {
        return Control<T>(m_window.get(), name);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    SharedState m_state;
    RecordingMessageBox m_messages;
    std::unique_ptr<QWidget> m_window;
};

void TestAccessibility::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = SharedState();
    m_state.DayFactorChoice = kDefaultDayFactorChoice;
    ApplyDaysPerYear(m_state, kDefaultDayFactorChoice);
    m_state.CurrencySymbol = QStringLiteral("$");
    m_state.FirstPayDate = QStringLiteral("1/31/2027");
    m_state.ReportHeader = QStringLiteral("Earlier");
    // Additional Payments opens on a 25-year term, with 1,500.00 in year 3 and a count of 7.
    m_state.InputValues.assign(6, Currency());
    m_state.InputValues[3] = Currency::fromDouble(25);
    m_state.PrePayTable.size(45, 2);
    m_state.PrePayTable.at(3, 2) = Currency::fromDouble(1500);
    m_state.PrePayCount = 7;
    m_messages = RecordingMessageBox();
}

void TestAccessibility::cleanup() {
    m_window.reset();
    m_dir.reset();
}

void TestAccessibility::open(const QString& form) {
    if (form == u"MenuMain")
        m_window = std::make_unique<MainMenu>();
    else if (form == u"CdnMort" || form == u"Loans")
        m_window = std::make_unique<TableWindow>(
            form == u"Loans" ? LoanTablesSetup() : MortgageTablesSetup(), m_state, m_messages);
    else if (form == u"MortComp")
        m_window = std::make_unique<CompareWindow>(m_state, m_messages);
    else if (form == u"PrePay")
        m_window = std::make_unique<PrePayWindow>(m_state, m_messages);
    else if (form == u"DateInput")
        m_window = std::make_unique<DateInputWindow>(m_state, m_messages);
    else if (form == u"NamInput")
        m_window = std::make_unique<NamInput>(m_state);
    else
        m_window = std::make_unique<PersonalizeWindow>(
            m_state, m_dir->filePath(QStringLiteral("Personal.Mtg")));
    QVERIFY(ShowActive(m_window.get()));
}

// From the first control Tab visits the stops and comes back to it; Shift+Tab goes the same way
// back. A group of options is one stop, at its selected option.
void TestAccessibility::tabRunsThroughEveryControl_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("selected"); // an option clicked first, if any
    QTest::addColumn<QStringList>("stops");
    const auto row = [](const char* name, const char* form, const char* selected,
                        const QStringList& stops) {
        QTest::newRow(name) << QString::fromLatin1(form) << QString::fromLatin1(selected) << stops;
    };
    const QStringList boxes = {"InPrincipal", "InRate", "InTerm", "Comperiod", "FreqPmt"};
    const QStringList toTheGrid = {"AddPrePay", "Help4", "Graphs", "Ptr3", "ExitButt", "Grid4"};

    row("main menu", "MenuMain", "",
        {"MortCalc", "CompMort", "PersonalLoan", "HowUse", "PtrFnt", "About1", "EndMort"});
    row("Mortgage Tables", "CdnMort", "",
        boxes + QStringList{"Option2", "DateNumber", "Calc4"} + toTheGrid);
    row("Mortgage Tables, every payment", "CdnMort", "Option1",
        boxes + QStringList{"Option1", "DateNumber", "Calc4"} + toTheGrid);
    row("Personal Loan Tables", "Loans", "",
        boxes + QStringList{"Option1", "DateNumber", "Calc2", "AddPrePay", "Help2", "Graphs",
                            "Ptr2", "ExitButt", "Grid2"});
    row("Mortgage Comparisons", "MortComp", "",
        {"InPrincipal", "InRate", "InTerm", "ComPeriod", "FreqPmt", "Calc1", "AddPrePay1", "Help1",
         "Graphs1", "Prt1", "Exitbut1", "Grid1", "Grid2"});
    row("Additional Payments", "PrePay", "",
        {"InYear", "InPayment", "DoNotUse", "UsePrePay", "Grid2"});
    row("Input Date", "DateInput", "", {"InDate", "OkExit"});
    row("To Printer", "NamInput", "", {"InFName", "Acept", "NAcept"});
    row("Personalize", "ChangeFnt", "CPeriod3",
        {"InSy", "IRFactor1", "PtrFt0", "CPeriod3", "InMyName", "ExitFonts"});
}

void TestAccessibility::tabRunsThroughEveryControl() {
    QFETCH(QString, form);
    QFETCH(QString, selected);
    QFETCH(QStringList, stops);
    open(form);
    if (!selected.isEmpty())
        control<QRadioButton>(selected)->click();
    control<QWidget>(stops.first())->setFocus(Qt::OtherFocusReason);

    QStringList forth = {focusName()};
    QStringList back = {focusName()};
    for (qsizetype i = 0; i < stops.size(); ++i) {
        press(Qt::Key_Tab);
        forth << focusName();
    }
    for (qsizetype i = 0; i < stops.size(); ++i) {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        back.prepend(focusName());
    }
    QCOMPARE(forth, stops + QStringList{stops.first()});
    QCOMPARE(back, forth);
    QVERIFY(m_messages.shown.empty());
}

// The arrow keys move about the grid's cells; Tab, Shift+Tab and their Ctrl forms leave it.
void TestAccessibility::tabLeavesTheGrid_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("next");
    const auto row = [](const char* name, const char* form, const char* grid, int key,
                        int modifiers, const char* next) {
        QTest::newRow(name) << QString::fromLatin1(form) << QString::fromLatin1(grid) << key
                            << modifiers << QString::fromLatin1(next);
    };
    const int tab = Qt::Key_Tab;
    const int backtab = Qt::Key_Backtab;
    const int shift = Qt::ShiftModifier;
    const int ctrl = Qt::ControlModifier;

    row("Mortgage Tables, Tab", "CdnMort", "Grid4", tab, 0, "InPrincipal");
    row("Mortgage Tables, Shift+Tab", "CdnMort", "Grid4", backtab, shift, "ExitButt");
    row("Mortgage Tables, Ctrl+Tab", "CdnMort", "Grid4", tab, ctrl, "InPrincipal");
    row("Personal Loan Tables, Shift+Tab", "Loans", "Grid2", backtab, shift, "ExitButt");
    row("Comparisons, upper grid", "MortComp", "Grid1", tab, 0, "Grid2");
    row("Comparisons, lower grid", "MortComp", "Grid2", backtab, ctrl | shift, "Grid1");
    row("Additional Payments, Tab", "PrePay", "Grid2", tab, 0, "InYear");
    row("Additional Payments, Shift+Tab", "PrePay", "Grid2", backtab, shift, "UsePrePay");
}

void TestAccessibility::tabLeavesTheGrid() {
    QFETCH(QString, form);
    QFETCH(QString, grid);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, next);
    open(form);
    auto* table = control<Grid>(grid);
    table->setFocus(Qt::OtherFocusReason);
    const int row = table->selEndRow();
    press(Qt::Key_Down);
    QCOMPARE(focusName(), grid);
    QCOMPARE(table->selEndRow(), row + 1);
    press(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(focusName(), next);
}

// Esc does what closing the dialog by its frame does; in To Printer it is Cancel, which sets the
// header to "1". What is typed (a carriage return is Enter) is not taken in: the focus never
// leaves the box. Personalize applies its days-per-year pick (365.25) however it closes.
void TestAccessibility::escClosesAsTheFrameDoes_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("byEsc"); // else by the frame
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("effect");
    const auto row = [](const char* name, const char* form, bool byEsc, const char* typed,
                        const char* effect) {
        QTest::newRow(name) << QString::fromLatin1(form) << byEsc << QString::fromLatin1(typed)
                            << QString::fromLatin1(effect);
    };

    row("To Printer, Esc", "NamInput", true, "Smith", "1");
    row("To Printer, frame", "NamInput", false, "Smith", "Earlier");
    row("Additional Payments, Esc", "PrePay", true, "4\r800", "1500.0000 0.0000 7 0");
    row("Additional Payments, frame", "PrePay", false, "4\r800", "1500.0000 0.0000 7 0");
    row("Additional Payments, Esc on a year beyond the term", "PrePay", true, "99",
        "1500.0000 0.0000 7 0");
    row("Input Date, Esc", "DateInput", true, "", "1/31/2027 1/31/2027");
    row("Input Date, Esc after typing", "DateInput", true, "2/15/28", "1/31/2027 2/15/28");
    row("Input Date, frame after typing", "DateInput", false, "2/15/28", "1/31/2027 2/15/28");
    row("Personalize, Esc", "ChangeFnt", true, "", "365.25 $ 0");
    row("Personalize, frame", "ChangeFnt", false, "", "365.25 $ 0");
}

void TestAccessibility::escClosesAsTheFrameDoes() {
    QFETCH(QString, form);
    QFETCH(bool, byEsc);
    QFETCH(QString, typed);
    QFETCH(QString, effect);
    open(form);
    if (form == u"ChangeFnt") {
        press(Qt::Key_Tab); // from the symbol box to the selected days, 365
        press(Qt::Key_Up);  // 365.25, the focus staying in the group
        QCOMPARE(m_state.DayFactorChoice, 0);
    }
    const QStringList pieces = typed.split(u'\r');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            press(Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), pieces[i]);
    }

    if (byEsc)
        press(Qt::Key_Escape);
    else
        m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(static_cast<QDialog*>(m_window.get())->result(), int(QDialog::Rejected));
    QStringList left;
    if (form == u"NamInput")
        left << m_state.ReportHeader;
    if (form == u"PrePay") // years 3 and 4, the count, the messages shown
        left << QString::number(m_state.PrePayTable.at(3, 2).toDouble(), 'f', 4)
             << QString::number(m_state.PrePayTable.at(4, 2).toDouble(), 'f', 4)
             << QString::number(m_state.PrePayCount) << QString::number(m_messages.shown.size());
    if (form == u"DateInput") // the date kept, the date shown
        left << m_state.FirstPayDate << control<QLineEdit>(QStringLiteral("InDate"))->text();
    if (form == u"ChangeFnt") // days per year, the symbol, whether the settings were saved
        left << QString::number(m_state.DaysPerYear) << m_state.CurrencySymbol
             << QString::number(QFile::exists(m_dir->filePath(QStringLiteral("Personal.Mtg"))));
    QCOMPARE(left.join(u' '), effect);
}

// The tree a reader walks, against the names the captions give. A list's choices and text box
// carry its name. The table windows' results are read after the defaults are worked out: 100,000
// at 10 % over 25 years, monthly, pays 908.70 a month.
void TestAccessibility::everyControlIsNamedAfterItsCaption_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("calculate"); // the command clicked first, if any
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, const char* form, const char* calculate,
                        const QStringList& expected) {
        QTest::newRow(name) << QString::fromLatin1(form) << QString::fromLatin1(calculate)
                            << expected;
    };
    // The six commands of a calculation window, by their names there.
    const auto commands = [](QStringList names) {
        const char* said[] = {"Calculate",  "Additional Payments", "Help",
                              "Show Graph", "To Printer",          "Exit to Menu"};
        for (qsizetype i = 0; i < names.size(); ++i)
            names[i] += QStringLiteral("|button|") + QString::fromLatin1(said[i]);
        return names;
    };
    const QString columns = ";Interest Payment;Principal Payment;Remaining Balance;"
                            "Cumulative Interest;Cumulative Principal";

    row("main menu", "MenuMain", "",
        {"MenuMain|window|Quillbrook Win95", "MortCalc|button|Mortgage Tables",
         "CompMort|button|Mortgage Comparisons", "PersonalLoan|button|Personal Loan Tables",
         "HowUse|button|How to Use the Program", "PtrFnt|button|Personalize Settings",
         "About1|button|About...", "EndMort|button|Exit Program"});
    row("Mortgage Tables", "CdnMort", "Calc4",
        commands({"Calc4", "AddPrePay", "Help4", "Graphs", "Ptr3", "ExitButt"}) +
            QStringList{
                "CdnMort|window|Mortgage Tables", "InPrincipal|text|Principal amount of mortgage.",
                "InRate|list|Annual interest rate %", "InTerm|list|Amortization period in years.",
                "Comperiod|list|Interest compound periods per year.",
                "FreqPmt|list|Frequency and type of each payment.", "Option2|option|Annual",
                "Option1|option|All", "DateNumber|button|View Payment dates",
                "InDays|result|Days in year., Normal",
                "PeriodicR|result|Interest rate factor., 0.00833333",
                "NumPmtsYear|result|No. of payments each year., 12",
                "InMonthPI|result|Principal+Interest payment., $908.70",
                "EndMortYear|result|No. of years to final payment., 25.00",
                "AllPayments|result|Total paid over life of mortgage, $272,609.85",
                "TotSavd|result|Total interest savings., $.00",
                "Grid4|grid|Mortgage Tables;Payment Year" + columns, "TxtBox|text|Help"});
    row("Personal Loan Tables", "Loans", "",
        commands({"Calc2", "AddPrePay", "Help2", "Graphs", "Ptr2", "ExitButt"}) +
            QStringList{"Loans|window|Personal Loan Tables",
                        "InPrincipal|text|Principal amount of the loan.",
                        "InRate|list|Annual interest rate %.",
                        "InTerm|list|Payback period of the loan in months.",
                        "Comperiod|list|Interest compound periods per year.",
                        "FreqPmt|list|Frequency and type of each payment.", "Option2|option|Annual",
                        "Option1|option|All", "DateNumber|button|View Payment dates",
                        "InDays|result|Days in year.", "PeriodicR|result|Interest rate factor.",
                        "NumPmtsYear|result|No. of payments each year.",
                        "InMonthPI|result|Principal+Interest payment.",
                        "EndMortYear|result|No. months to final payment.",
                        "AllPayments|result|Total paid over life of the loan.",
                        "TotSavd|result|Total interest savings.",
                        "Grid2|grid|Personal Loan Tables;Year Number" + columns,
                        "TxtBox|text|Help"});
    // The lower grid has no headings until a row with additional payments is worked out.
    row("Mortgage Comparisons", "MortComp", "",
        commands({"Calc1", "AddPrePay1", "Help1", "Graphs1", "Prt1", "Exitbut1"}) +
            QStringList{
                "MortComp|window|Mortgage Comparisons",
                "InPrincipal|text|Principal amount of mortgage.",
                "InRate|list|Annual interest rate(%)", "InTerm|list|Amortization period in years.",
                "ComPeriod|list|Interest compound periods per year.",
                "FreqPmt|list|Frequency and type of each payment.", "InDays|result|Days in year.",
                "PeriodicR|result|Interest rate factor.",
                "Grid1|grid|Mortgage Comparisons;Row Compound Frequency;Amorti- zation "
                "Period;Retired at end of Year;Number Annual Paymts;Amount of Mortgage;"
                "Annual Interest Rate;Principal + Interest Payment;Total Interest Payments",
                "Grid2|grid|* Additional Payments Applied;;;;;;;;;;", "HlpTxtBox|text|Help"});
    row("Additional Payments", "PrePay", "",
        {"PrePay|dialog|Additional Payments",
         "Grid2|grid|Additional Payments;Year Number;Amount of Payment", "InYear|text|Year Number",
         "InPayment|text|Amount of Payment", "DoNotUse|button|Erase all", "UsePrePay|button|OK"});
    row("Input Date", "DateInput", "",
        {"DateInput|dialog|Input Date", "InDate|text|Type in the date of the first payment.",
         "OkExit|button|OK"});
    row("To Printer", "NamInput", "",
        {"NamInput|dialog|To Printer", "InFName|text|Type in your one line header information.",
         "Acept|button|Continue Printout", "NAcept|button|Cancel"});
    QStringList personalize = {"ChangeFnt|dialog|Personalize",
                               "InSy|text|Change the currency symbol",
                               "PtrFt1|option|Courier New 11 point font.",
                               "PtrFt0|option|Standard printer font.",
                               "InMyName|text|Type in your name",
                               "ExitFonts|button|Exit to Menu"};
    const char* days[] = {"365.25", "365", "364", "363", "362", "361", "360"};
    for (int i = 0; i < 7; ++i)
        personalize << QStringLiteral("IRFactor%1|option|%2").arg(i).arg(days[i]);
    const char* periods[] = {"Monthly", "Bi-Monthly", "Quarterly", "Semi-Annual", "Annual"};
    for (int i = 0; i < 5; ++i)
        personalize << QStringLiteral("CPeriod%1|option|%2").arg(i).arg(periods[i]);
    row("Personalize", "ChangeFnt", "", personalize);
}

void TestAccessibility::everyControlIsNamedAfterItsCaption() {
    QFETCH(QString, form);
    QFETCH(QString, calculate);
    QFETCH(QStringList, expected);
    open(form);
    if (!calculate.isEmpty())
        control<QPushButton>(calculate)->click();
    QStringList lines;
    walk(QAccessible::queryAccessibleInterface(m_window.get()), lines);
    lines.sort();
    expected.sort();
    QCOMPARE(lines, expected);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
