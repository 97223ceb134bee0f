// The Additional Payments window driven as a user drives it: year numbers and amounts typed into
// the two boxes, the focus moving on, the buttons clicked, and what the grid, the shared table and
// the message boxes then show.
#include "desktop/platform/grid.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/windows/dismissingmessagebox.h"
#include "desktop/windows/prepaywindow.h"
#include "desktop/windowtest.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace qb;

namespace {

Currency money(double value) {
    return Currency::fromDouble(value);
}

} // namespace

class TestPrePay : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();

    void opensOneRowPerYear();
    void shortTermStillShowsTwentyRows();
    void termRoundsToWholeYears_data();
    void termRoundsToWholeYears();
    void opensWithoutTablesOrTerm();
    void yearBeyondTheTerm();
    void amountWithoutAValidYear_data();
    void amountWithoutAValidYear();
    void amountIsStoredAndShownAgain();
    void yearNumbersOfALongerTerm();
    void eraseAll();
    void okCountsYearsWithAnAmount();
    void accessKeyStoresTheAmountBeingTyped();
    void closingByTheFrameDoesNotRecount();
    void wideEnoughForItsTitle();
    void keyFiltersRefuseLetters();
    void selectAllReplacesTheYear();
    void enterMovesBetweenTheBoxes();
    void refusalWithARealMessageBoxDoesNotRepeat();

private:
    void open(double termYears, MessageBoxService* messages = nullptr);
    template <class T> T* control(const char* name) {
        return Control<T>(m_window.get(), QString::fromLatin1(name));
    }
    QLineEdit* yearBox() { return control<QLineEdit>("InYear"); }
    QLineEdit* amountBox() { return control<QLineEdit>("InPayment"); }
    QString cell(int row, int column) { return m_window->grid()->cellText(row, column); }
    // Types a year and an amount, each followed by Enter, as a user enters one payment.
    void enterPayment(const QString& year, const QString& amount) {
        yearBox()->setFocus();
        QTest::keyClicks(yearBox(), year);
        QTest::keyClick(yearBox(), Qt::Key_Return);
        QTest::keyClicks(amountBox(), amount);
        QTest::keyClick(amountBox(), Qt::Key_Return);
    }

    SharedState m_state;
    RecordingMessageBox m_messages;
    std::unique_ptr<PrePayWindow> m_window;
};

void TestPrePay::init() {
    m_state = SharedState();
    m_state.InputValues.assign(6, Currency());
    m_state.PrePayTable.size(45, 2);
    m_messages = RecordingMessageBox();
}

void TestPrePay::cleanup() {
    m_window.reset();
}

void TestPrePay::open(double termYears, MessageBoxService* messages) {
    m_window.reset();
    if (!m_state.InputValues.empty())
        m_state.InputValues[3] = money(termYears);
    m_window = std::make_unique<PrePayWindow>(m_state, messages ? *messages : m_messages);
    QVERIFY(ShowActive(m_window.get()));
}

void TestPrePay::opensOneRowPerYear() {
    open(25);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Additional Payments"));
    QCOMPARE(control<QPushButton>("DoNotUse")->text(), QStringLiteral("&Erase all"));
    QCOMPARE(control<QPushButton>("UsePrePay")->text(), QStringLiteral("&OK"));
    QCOMPARE(yearBox()->maxLength(), 2);
    QCOMPARE(amountBox()->maxLength(), 8);
    QCOMPARE(m_state.PrePayYears, 25);

    Grid* grid = m_window->grid();
    QCOMPARE(grid->rows(), 26);
    QCOMPARE(grid->cols(), 2);
    QCOMPARE(cell(0, 0), QStringLiteral("Year Number"));
    QCOMPARE(cell(0, 1), QStringLiteral("Amount of Payment"));
    QCOMPARE(grid->colAlignment(0), Grid::AlignCenter);
    QCOMPARE(grid->colAlignment(1), Grid::AlignRight);
    const Grid plain;
    QVERIFY(std::abs(grid->colWidth(0) - (plain.colWidth(0) + 200)) <= 15);
    QVERIFY(std::abs(grid->colWidth(1) - (plain.colWidth(1) + 460)) <= 15);
    QCOMPARE(grid->selEndRow(), 1);
    QCOMPARE(grid->selEndCol(), 1);
    for (int year = 1; year <= 25; ++year) {
        QCOMPARE(cell(year, 0), QString::number(year));
        QCOMPARE(cell(year, 1), QStringLiteral(".00"));
        QCOMPARE(m_state.PrePayTable.at(year, 1), money(year));
    }
    QVERIFY(yearBox()->hasFocus());
}

void TestPrePay::shortTermStillShowsTwentyRows() {
    open(10);
    QCOMPARE(m_window->grid()->rows(), 20);
    QCOMPARE(cell(10, 0), QStringLiteral("10"));
    for (int row = 11; row <= 19; ++row) {
        QCOMPARE(cell(row, 0), QString());
        QCOMPARE(cell(row, 1), QString());
    }
    QCOMPARE(m_state.PrePayTable.at(11, 1), Currency());
}

void TestPrePay::termRoundsToWholeYears_data() {
    QTest::addColumn<double>("term");
    QTest::addColumn<int>("years");
    QTest::newRow("30 months") << 2.5 << 2;
    QTest::newRow("42 months") << 3.5 << 4;
    QTest::newRow("31 months") << 31.0 / 12 << 3;
    QTest::newRow("5 months") << 5.0 / 12 << 0;
    QTest::newRow("beyond the table") << 60.0 << 45;
    QTest::newRow("negative") << -3.0 << 0;
}

void TestPrePay::termRoundsToWholeYears() {
    QFETCH(double, term);
    QFETCH(int, years);
    open(term);
    QCOMPARE(m_state.PrePayYears, years);
    QCOMPARE(m_window->grid()->rows(), std::max(years + 1, 20));
    QCOMPARE(cell(years, 0), years == 0 ? QStringLiteral("Year Number") : QString::number(years));
    QCOMPARE(cell(years + 1, 0), QString());

    // One year past the last offered is refused.
    yearBox()->setFocus();
    QTest::keyClicks(yearBox(), QString::number(years + 1));
    QTest::keyClick(yearBox(), Qt::Key_Return);
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral(" Year number does not exist."));
}

void TestPrePay::opensWithoutTablesOrTerm() {
    m_state.PrePayTable.erase();
    m_state.InputValues.clear();
    open(0);
    QCOMPARE(m_state.PrePayTable.rowCount(), 46);
    QCOMPARE(m_state.PrePayTable.columnCount(), 3);
    QCOMPARE(m_state.PrePayYears, 0);
    QCOMPARE(m_window->grid()->rows(), 20);

    enterPayment(QStringLiteral("1"), QStringLiteral("100"));
    QCOMPARE(m_messages.shown.size(), std::size_t(2));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral(" Year number does not exist."));
    QCOMPARE(m_messages.shown[1].text, QStringLiteral(" Must have a valid year number."));
    QCOMPARE(m_state.PrePayTable.at(1, 2), Currency());
    QTest::mouseClick(control<QPushButton>("UsePrePay"), Qt::LeftButton);
    QCOMPARE(m_state.PrePayCount, 0);
}

void TestPrePay::yearBeyondTheTerm() {
    open(25);
    yearBox()->setFocus();
    QTest::keyClicks(yearBox(), QStringLiteral("26"));
    QTest::keyClick(yearBox(), Qt::Key_Return);
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral(" Year number does not exist."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Help"));
    QCOMPARE(m_messages.shown[0].buttons, int(MbOk));
    QTRY_VERIFY(yearBox()->hasFocus());
    QCOMPARE(yearBox()->text(), QStringLiteral("26"));
    QCOMPARE(m_window->entryYear(), 0);

    // The last year of the term is taken.
    yearBox()->clear();
    enterPayment(QStringLiteral("25"), QStringLiteral("300"));
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_state.PrePayTable.at(25, 2), money(300));
    QCOMPARE(cell(25, 1), QStringLiteral("300.00"));
}

void TestPrePay::amountWithoutAValidYear_data() {
    QTest::addColumn<QString>("year");
    QTest::newRow("empty year box") << QString();
    QTest::newRow("year 0") << QStringLiteral("0");
}

void TestPrePay::amountWithoutAValidYear() {
    QFETCH(QString, year);
    open(25);
    enterPayment(year, QStringLiteral("500"));
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral(" Must have a valid year number."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Help"));
    QCOMPARE(amountBox()->text(), QString());
    QTRY_VERIFY(yearBox()->hasFocus());
    QCOMPARE(cell(0, 1), QStringLiteral("Amount of Payment"));
    QCOMPARE(m_state.PrePayTable.at(0, 2), Currency());
    for (int row = 1; row <= 25; ++row)
        QCOMPARE(cell(row, 1), QStringLiteral(".00"));

    // Leaving an empty amount box asks nothing.
    amountBox()->setFocus();
    yearBox()->setFocus();
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
}

void TestPrePay::amountIsStoredAndShownAgain() {
    open(25);
    enterPayment(QStringLiteral("3"), QStringLiteral("1500"));
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(m_state.PrePayTable.at(3, 2), money(1500));
    QCOMPARE(cell(3, 1), QStringLiteral("1,500.00"));
    QCOMPARE(yearBox()->text(), QString());
    QCOMPARE(amountBox()->text(), QString());
    QVERIFY(yearBox()->hasFocus());

    // A second amount for the same year replaces the first; fractions of a cent are rounded.
    enterPayment(QStringLiteral("7"), QStringLiteral("12.5"));
    enterPayment(QStringLiteral("7"), QStringLiteral("234.5678"));
    QCOMPARE(m_state.PrePayTable.at(7, 2), Currency::fromUnits(2345678));
    QCOMPARE(cell(7, 1), QStringLiteral("234.57"));

    m_window->close();
    open(25);
    QCOMPARE(cell(3, 1), QStringLiteral("1,500.00"));
    QCOMPARE(cell(7, 1), QStringLiteral("234.57"));
    QCOMPARE(cell(4, 1), QStringLiteral(".00"));
    QCOMPARE(cell(3, 0), QStringLiteral("3"));
}

void TestPrePay::yearNumbersOfALongerTerm() {
    // Amounts entered with a 10-year term, the term then typed up to 25 years.
    open(10);
    enterPayment(QStringLiteral("1"), QStringLiteral("200"));
    m_window->close();
    m_state.PrePayTable.at(15, 2) = money(50);
    open(25);
    QCOMPARE(cell(1, 1), QStringLiteral("200.00"));
    QCOMPARE(cell(15, 0), QStringLiteral("15"));
    QCOMPARE(cell(15, 1), QStringLiteral("50.00"));
    QCOMPARE(cell(25, 0), QStringLiteral("25"));
    QCOMPARE(m_state.PrePayTable.at(25, 1), money(25));
}

void TestPrePay::eraseAll() {
    open(25);
    enterPayment(QStringLiteral("2"), QStringLiteral("100"));
    enterPayment(QStringLiteral("9"), QStringLiteral("900"));
    m_state.PrePayCount = 2;
    QTest::mouseClick(control<QPushButton>("DoNotUse"), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
    QCOMPARE(m_state.PrePayCount, 0);
    for (int year = 1; year <= 25; ++year) {
        QCOMPARE(m_state.PrePayTable.at(year, 2), Currency());
        QCOMPARE(m_state.PrePayTable.at(year, 1), money(year));
    }

    open(25);
    for (int year = 1; year <= 25; ++year)
        QCOMPARE(cell(year, 1), QStringLiteral(".00"));
}

void TestPrePay::okCountsYearsWithAnAmount() {
    // An amount left from a longer term, beyond the years offered now, is not counted.
    m_state.PrePayTable.at(30, 2) = money(700);
    open(25);
    enterPayment(QStringLiteral("2"), QStringLiteral("250"));
    enterPayment(QStringLiteral("5"), QStringLiteral("1000"));
    QTest::mouseClick(control<QPushButton>("UsePrePay"), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
    QCOMPARE(m_state.PrePayCount, 2);
    QCOMPARE(m_state.PrePayTable.at(2, 2), money(250));
    QCOMPARE(m_state.PrePayTable.at(5, 2), money(1000));
}

void TestPrePay::accessKeyStoresTheAmountBeingTyped() {
    open(25);
    yearBox()->setFocus();
    QTest::keyClicks(yearBox(), QStringLiteral("4"));
    QTest::keyClick(yearBox(), Qt::Key_Return);
    QTest::keyClicks(amountBox(), QStringLiteral("800"));
    QVERIFY(amountBox()->hasFocus());
    control<QPushButton>("UsePrePay")->click(); // as Alt+O does: no focus change of its own
    QCOMPARE(m_state.PrePayTable.at(4, 2), money(800));
    QCOMPARE(m_state.PrePayCount, 1);
}

void TestPrePay::closingByTheFrameDoesNotRecount() {
    open(25);
    enterPayment(QStringLiteral("6"), QStringLiteral("60"));
    yearBox()->setFocus();
    QTest::keyClicks(yearBox(), QStringLiteral("99"));
    m_window->close();
    QCOMPARE(m_window->result(), int(QDialog::Rejected));
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(m_state.PrePayCount, 0);
    QCOMPARE(m_state.PrePayTable.at(6, 2), money(60));
}

// Ctrl+A selects the whole year, so Backspace empties the box rather than leaving a digit.
void TestPrePay::selectAllReplacesTheYear() {
    open(25);
    yearBox()->setFocus();
    QTest::keyClicks(yearBox(), QStringLiteral("45"));
    QTest::keyClick(yearBox(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(yearBox(), Qt::Key_Backspace);
    QCOMPARE(yearBox()->text(), QString());
    QTest::keyClicks(yearBox(), QStringLiteral("3"));
    QCOMPARE(yearBox()->text(), QStringLiteral("3"));
    QCOMPARE(m_messages.beeps, 0);
}

void TestPrePay::keyFiltersRefuseLetters() {
    open(25);
    yearBox()->setFocus();
    QTest::keyClicks(yearBox(), QStringLiteral("a.1"));
    QCOMPARE(yearBox()->text(), QStringLiteral("1"));
    QCOMPARE(m_messages.beeps, 2);
    QTest::keyClick(yearBox(), Qt::Key_Backspace);
    QCOMPARE(yearBox()->text(), QString());
    QCOMPARE(m_messages.beeps, 2);

    amountBox()->setFocus();
    QTest::keyClicks(amountBox(), QStringLiteral("1x,5.5-"));
    QCOMPARE(amountBox()->text(), QStringLiteral("15.5"));
    QCOMPARE(m_messages.beeps, 5);

    // Pasted text is held to the same characters.
    amountBox()->clear();
    amountBox()->insert(QStringLiteral("-1e300"));
    QCOMPARE(amountBox()->text(), QString());
    yearBox()->insert(QStringLiteral("x"));
    QCOMPARE(yearBox()->text(), QString());
}

void TestPrePay::enterMovesBetweenTheBoxes() {
    open(25);
    yearBox()->setFocus();
    QTest::keyClick(yearBox(), Qt::Key_Return);
    QVERIFY(amountBox()->hasFocus());
    QTest::keyClick(amountBox(), Qt::Key_Return);
    QVERIFY(yearBox()->hasFocus());
    QTest::keyClicks(yearBox(), QStringLiteral("12"));
    QTest::keyClick(yearBox(), Qt::Key_Enter);
    QVERIFY(amountBox()->hasFocus());
    QCOMPARE(m_window->entryYear(), 12);
    QTest::keyClick(amountBox(), Qt::Key_Enter);
    QVERIFY(yearBox()->hasFocus());
    QVERIFY(m_messages.shown.empty());
    QVERIFY(m_window->isVisible());
}

void TestPrePay::refusalWithARealMessageBoxDoesNotRepeat() {
    DismissingMessageBox boxes;
    open(25, &boxes);
    yearBox()->setFocus();
    QTest::keyClicks(yearBox(), QStringLiteral("30"));
    QTest::keyClick(yearBox(), Qt::Key_Return);
    QCOMPARE(boxes.shown, 1);
    QApplication::setActiveWindow(m_window.get());
    QTRY_VERIFY(yearBox()->hasFocus());
    QTest::qWait(300);
    QCOMPARE(boxes.shown, 1);
    QVERIFY(yearBox()->hasFocus());
}

void TestPrePay::wideEnoughForItsTitle() {
    open(25);
    QFont bold = m_window->font();
    bold.setBold(true);
    // The title and at least an icon and three frame buttons of a title bar's height.
    const int buttons = 4 * m_window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QVERIFY(m_window->width() >=
            QFontMetrics(bold).horizontalAdvance(QStringLiteral("Additional Payments")) + buttons);
}

QTEST_MAIN(TestPrePay)
#include "tst_prepay.moc"
