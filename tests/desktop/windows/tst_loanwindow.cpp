// The Personal Loan Table window: the table window with a term in months, its own defaults and
// captions, and the same rules of input and calculation as the mortgage window.
#include "core/settings/daysperyear.h"
#include "desktop/platform/grid.h"
#include "desktop/windows/tablewindow.h"
#include "desktop/windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace qb;

class TestLoanWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup() { m_window.reset(); }

    void opensWithTheLoanDefaults();
    void calculatesTheDefaultLoan();
    void monthLimit();
    void monthsAreKeptAsYears_data();
    void monthsAreKeptAsYears();
    void shortLoansEndAtZero_data();
    void shortLoansEndAtZero();
    void showGraphMarksTheLoanTable();
    void widestResultsShowWhole();

private:
    template <class T> T* control(const char* name) {
        return Control<T>(m_window.get(), QString::fromLatin1(name));
    }
    QString label(const char* name) { return control<QLabel>(name)->text(); }
    void typeTerm(const QString& months) {
        auto* term = control<QComboBox>("InTerm");
        term->setFocus();
        QTest::keyClicks(term, months);
        control<QPushButton>("Calc2")->setFocus();
    }
    void calculate() { QTest::mouseClick(control<QPushButton>("Calc2"), Qt::LeftButton); }

    SharedState m_state;
    RecordingMessageBox m_messages;
    std::unique_ptr<TableWindow> m_window;
};

void TestLoanWindow::init() {
    m_state = SharedState();
    ApplyDaysPerYear(m_state, kDefaultDayFactorChoice);
    m_state.CurrencySymbol = QStringLiteral("$");
    // The personal settings' compounding does not apply to loans.
    m_state.CompoundChoice = 3;
    m_messages = RecordingMessageBox();
    m_window = std::make_unique<TableWindow>(LoanTablesSetup(), m_state, m_messages);
    QVERIFY(ShowActive(m_window.get()));
}

void TestLoanWindow::opensWithTheLoanDefaults() {
    QCOMPARE(m_window->objectName(), QStringLiteral("Loans"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Personal Loan Tables"));
    QCOMPARE(control<QLineEdit>("InPrincipal")->text(), QStringLiteral("   $20,000.00"));
    QCOMPARE(control<QComboBox>("InRate")->currentText(), QStringLiteral("         10.00%"));
    QCOMPARE(control<QComboBox>("InTerm")->currentText(), QStringLiteral("            48"));
    QCOMPARE(control<QComboBox>("InTerm")->count(), 4);
    QCOMPARE(control<QComboBox>("Comperiod")->currentText(), QStringLiteral("      Monthly"));
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    QCOMPARE(m_state.TableView, 2);
    QCOMPARE(m_state.InputValues[3], Currency::fromDouble(4));
    QCOMPARE(label("Label3"), QStringLiteral(" Payback period of     the loan in months."));
    QCOMPARE(label("Label11"), QStringLiteral(" No. months to   final payment."));
    QCOMPARE(label("Label8"), QStringLiteral(" Total paid over   life of the loan."));
    for (const char* name : {"Calc2", "Help2", "Ptr2"})
        QVERIFY(m_window->findChild<QPushButton*>(QString::fromLatin1(name)));
    QCOMPARE(m_window->grid()->objectName(), QStringLiteral("Grid2"));
}

void TestLoanWindow::calculatesTheDefaultLoan() {
    calculate();
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(m_state.LastSchedule.tableRows, 48);
    QCOMPARE(m_state.DataCount, 49);
    QCOMPARE(label("InMonthPI"), QStringLiteral("     $507.25"));
    QCOMPARE(label("EndMortYear"), QStringLiteral("       48.00"));
    QCOMPARE(m_window->grid()->cellText(48, 0), QStringLiteral("  48       4"));
    QCOMPARE(m_window->grid()->cellText(48, 3), QStringLiteral(".00"));
    QCOMPARE(m_state.ChartTitle, QStringLiteral("Personal Loan balance at start of each Year"));
}

void TestLoanWindow::monthLimit() {
    typeTerm(QStringLiteral("481"));
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("Wrong entry, 480 Month limit."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Help"));
    QCOMPARE(control<QComboBox>("InTerm")->currentText(), QStringLiteral("             480"));
    QCOMPARE(m_state.InputValues[3], Currency::fromDouble(40));
    calculate();
    QCOMPARE(m_state.LastSchedule.tableRows, 480);
}

void TestLoanWindow::monthsAreKeptAsYears_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("units"); // ten-thousandths of a year
    QTest::addColumn<QString>("shown");
    QTest::newRow("48 months") << QStringLiteral("48") << 40000LL << QStringLiteral("48");
    QTest::newRow("30 months") << QStringLiteral("30") << 25000LL << QStringLiteral("30");
    QTest::newRow("7 months") << QStringLiteral("7") << 5833LL << QStringLiteral("7");
    QTest::newRow("empty box") << QString() << 0LL << QString();
}

void TestLoanWindow::monthsAreKeptAsYears() {
    QFETCH(QString, typed);
    QFETCH(qint64, units);
    QFETCH(QString, shown);
    auto* term = control<QComboBox>("InTerm");
    term->setFocus();
    QTest::keyClick(term, Qt::Key_Backspace);
    QTest::keyClicks(term, typed);
    control<QPushButton>("Calc2")->setFocus();
    QCOMPARE(m_state.InputValues[3].units(), units);
    QCOMPARE(term->currentText().trimmed(), shown);
    QCOMPARE(term->currentText().size(), 16);
}

// The months typed are the months paid: the annuity payment on 20,000 at 10 %, and a last row
// that leaves nothing owing.
void TestLoanWindow::shortLoansEndAtZero_data() {
    QTest::addColumn<QString>("months");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("monthsToFinal");

    QTest::newRow("7 months") << QStringLiteral("7") << QStringLiteral("$2,953.17")
                              << QStringLiteral("        7.00");
    QTest::newRow("2 months") << QStringLiteral("2") << QStringLiteral("$10,125.18")
                              << QStringLiteral("        2.00");
    QTest::newRow("1 month") << QStringLiteral("1") << QStringLiteral("$20,166.67")
                             << QStringLiteral("        1.00");
}

void TestLoanWindow::shortLoansEndAtZero() {
    QFETCH(QString, months);
    QFETCH(QString, payment);
    QFETCH(QString, monthsToFinal);

    typeTerm(months);
    calculate();
    const int rows = months.toInt();
    QCOMPARE(m_state.LastSchedule.tableRows, rows);
    QCOMPARE(m_state.LastSchedule.rows.at(rows, 4), Currency());
    QCOMPARE(m_state.LastSchedule.rows.at(rows, 6), Currency::fromDouble(20000));
    QCOMPARE(label("InMonthPI").trimmed(), payment);
    QCOMPARE(label("EndMortYear"), monthsToFinal);
}

void TestLoanWindow::showGraphMarksTheLoanTable() {
    calculate();
    int requests = 0;
    connect(m_window.get(), &TableWindow::chartRequested, this, [&requests] { ++requests; });
    QTest::mouseClick(control<QPushButton>("Graphs"), Qt::LeftButton);
    QCOMPARE(requests, 1);
    QCOMPARE(m_state.ChartSource, 2);
}

void TestLoanWindow::widestResultsShowWhole() {
    auto* principal = control<QLineEdit>("InPrincipal");
    principal->setFocus();
    QTest::keyClicks(principal, QStringLiteral("1000000000"));
    typeTerm(QStringLiteral("480"));
    calculate();
    QCOMPARE(label("AllPayments"), QStringLiteral("$4,075,880,709.93"));

    // The mortgage window lays its results out in the same widths.
    TableWindow mortgage(MortgageTablesSetup(), m_state, m_messages);
    QVERIFY(ShowActive(&mortgage));
    for (const char* name : {"InDays", "PeriodicR", "NumPmtsYear", "InMonthPI", "EndMortYear",
                             "AllPayments", "TotSavd"}) {
        auto* result = control<QLabel>(name);
        QVERIFY2(result->contentsRect().width() >=
                     result->fontMetrics().horizontalAdvance(result->text()),
                 name);
        QCOMPARE(result->width(), Control<QLabel>(&mortgage, QString::fromLatin1(name))->width());
    }
    QVERIFY(principal->width() >= principal->fontMetrics().horizontalAdvance(principal->text()));
}

QTEST_MAIN(TestLoanWindow)
#include "tst_loanwindow.moc"
