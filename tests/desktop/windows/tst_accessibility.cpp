// Every window used by the keyboard alone: Tab and Shift+Tab run through the controls in reading
// order, come round again and leave the grids; Esc closes a dialog as its frame does.
#include "core/settings/daysperyear.h"
#include "desktop/platform/grid.h"
#include "desktop/windows/comparewindow.h"
#include "desktop/windows/dateinputwindow.h"
#include "desktop/windows/mainmenu.h"
#include "desktop/windows/naminput.h"
#include "desktop/windows/personalizewindow.h"
#include "desktop/windows/prepaywindow.h"
#include "desktop/windows/tablewindow.h"
#include "desktop/windowtest.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qb;

namespace {

// The named control a widget belongs to: a grid's view has no name of its own.
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

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
