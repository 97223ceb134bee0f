// The Mortgage Comparisons window driven as a user drives it: buttons clicked, keys typed, and
// what the two grids, the labels, the message boxes and the recording printer then show.
#include "cli/clirun.h"
#include "core/print/printservice.h"
#include "core/settings/daysperyear.h"
#include "desktop/platform/captionlabel.h"
#include "desktop/platform/grid.h"
#include "desktop/windows/comparewindow.h"
#include "desktop/windowtest.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qb;

class TestCompareWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();

    void opensWithTheStartValues();
    void captionsShowNoGaps();
    void inputIsKeptAsTyped_data();
    void inputIsKeptAsTyped();
    void rowsFillTheUpperGrid();
    void thirteenthCalculateOnlyRefuses();
    void inputChangeStopsPrintingAndCharting();
    void additionalPaymentsTakeTheNextPairOfColumns();
    void largeAmountsShowWhole_data();
    void largeAmountsShowWhole();
    void termLimit();
    void printsTheReport();
    void cancelledHeaderPrintsNothing();
    void helpPanelTakesTheGridsPlace();
    void exitDropsTheTable();
    void saveAsCsv_data();
    void saveAsCsv();

private:
    template <class T> T* control(const char* name) {
        return Control<T>(m_window.get(), QString::fromLatin1(name));
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    QString row(int r, int c) { return m_window->rowGrid()->cellText(r, c); }
    QString prePay(int r, int c) { return m_window->prePayGrid()->cellText(r, c); }
    void setExtra(int year, double amount) {
        m_state.PrePayTable.at(year, 1) = Currency::fromDouble(year);
        m_state.PrePayTable.at(year, 2) = Currency::fromDouble(amount);
    }

    SharedState m_state;
    RecordingMessageBox m_messages;
    std::unique_ptr<CompareWindow> m_window;
};

void TestCompareWindow::init() {
    m_state = SharedState();
    ApplyDaysPerYear(m_state, kDefaultDayFactorChoice);
    m_state.CurrencySymbol = QStringLiteral("$");
    m_state.CompoundChoice = 3;
    m_state.LinesPerPage = 58;
    m_messages = RecordingMessageBox();
    m_window = std::make_unique<CompareWindow>(m_state, m_messages);
    QVERIFY(ShowActive(m_window.get()));
}

void TestCompareWindow::cleanup() {
    m_window.reset();
}

void TestCompareWindow::opensWithTheStartValues() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Mortgage Comparisons"));
    QCOMPARE(control<QLineEdit>("InPrincipal")->text(), QStringLiteral("   $100,000.00"));
    QCOMPARE(control<QComboBox>("InRate")->currentText(), QStringLiteral("         10.00%"));
    QCOMPARE(control<QComboBox>("InTerm")->currentText(), QStringLiteral("            25"));
    // The personal settings' compounding choice 3 is Semiannual.
    QCOMPARE(control<QComboBox>("ComPeriod")->currentText(), QStringLiteral("   Semiannual"));
    QCOMPARE(control<QComboBox>("FreqPmt")->currentText(), QStringLiteral("      Monthly"));
    QCOMPARE(control<QComboBox>("FreqPmt")->count(), 6);
    QCOMPARE(m_state.TableView, 2);

    Grid* grid = m_window->rowGrid();
    QCOMPARE(grid->cols(), 8);
    QCOMPARE(grid->rows(), 13);
    QCOMPARE(grid->rowHeight(0), 660);
    QCOMPARE(grid->cellText(0, 0), QStringLiteral("Row Compound Frequency"));
    QCOMPARE(grid->cellText(0, 7), QStringLiteral("Total     Interest  Payments"));
    const int widening[] = {450, 100, 140, 230, 675, 160, 440, 740};
    for (int c = 0; c < 8; ++c) {
        QVERIFY(qAbs(grid->colWidth(c) - (1000 + widening[c])) <= 15);
        QCOMPARE(grid->colAlignment(c), c < 4 ? Grid::AlignCenter : Grid::AlignRight);
    }
    QCOMPARE(m_window->prePayGrid()->cols(), 10);
    QCOMPARE(m_window->prePayGrid()->rows(), 10);
}

// Every caption written with runs of blanks breaks there instead of showing the gap in a line.
void TestCompareWindow::captionsShowNoGaps() {
    for (const char* name :
         {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7"}) {
        const auto* caption = m_window->findChild<CaptionLabel*>(QLatin1String(name));
        QVERIFY2(caption, name);
        for (const QString& line : caption->lines())
            QVERIFY2(!line.trimmed().contains(QStringLiteral("  ")), qPrintable(caption->text()));
    }
}

void TestCompareWindow::inputIsKeptAsTyped_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed"); // empty: a Delete key that keeps the shown amount
    QTest::addColumn<int>("input");
    QTest::addColumn<double>("value");
    // The lists hold 25 and 10: a completing box would turn 2 and 1 into them.
    QTest::newRow("term 2") << QStringLiteral("InTerm") << QStringLiteral("2") << 3 << 2.0;
    QTest::newRow("rate 1") << QStringLiteral("InRate") << QStringLiteral("1") << 2 << 1.0;
    QTest::newRow("principal left after Delete")
        << QStringLiteral("InPrincipal") << QString() << 1 << 100000.0;
}

void TestCompareWindow::inputIsKeptAsTyped() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, input);
    QFETCH(double, value);
    auto* widget = m_window->findChild<QWidget*>(box);
    QVERIFY(widget);
    widget->setFocus();
    if (typed.isEmpty())
        QTest::keyClick(widget, Qt::Key_Delete);
    else
        QTest::keyClicks(widget, typed);
    QTest::keyClick(widget, Qt::Key_Tab);
    QCOMPARE(m_state.InputValues[static_cast<std::size_t>(input)], Currency::fromDouble(value));
}

void TestCompareWindow::rowsFillTheUpperGrid() {
    control<QComboBox>("ComPeriod")->setCurrentIndex(0);
    click("Calc1");
    const QStringList first = {"01 M 1m  ",   "25",     "25.00",   "12 ",
                               "$100,000.00", "10.00%", "$908.70", "$172,609.85"};
    for (int c = 0; c < 8; ++c)
        QCOMPARE(row(1, c), first.at(c));
    QCOMPARE(control<QLabel>("InDays")->text(), QStringLiteral("Normal"));
    QCOMPARE(control<QLabel>("PeriodicR")->text(), QStringLiteral("0.00833333"));
    QCOMPARE(m_state.DataCount, 1);

    control<QComboBox>("FreqPmt")->setCurrentIndex(4); // Biweekly(Acc)
    click("Calc1");
    QCOMPARE(row(2, 0), QStringLiteral("02 M b(a)"));
    QCOMPARE(row(2, 2), QStringLiteral("18.62"));
    QCOMPARE(row(2, 7), QStringLiteral("$119,711.31"));
    QCOMPARE(control<QLabel>("InDays")->text(), QStringLiteral("365"));
    QCOMPARE(m_state.DataCount, 2);
    QCOMPARE(m_state.ChartData.at(2, 1).toString(), QStringLiteral("Row  2"));
    QVERIFY(m_messages.shown.empty());
}

void TestCompareWindow::thirteenthCalculateOnlyRefuses() {
    for (int i = 0; i < 12; ++i)
        click("Calc1");
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(row(12, 0), QStringLiteral("12 S 1m  "));
    const QString lines = m_state.ReportLines[1];
    click("Calc1");
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("12 row limit."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Mortgage Comparisons"));
    QCOMPARE(m_state.DataCount, 12);
    QCOMPARE(m_window->table().RowCount, 12);
    QCOMPARE(m_state.ReportLines[1], lines);
}

void TestCompareWindow::inputChangeStopsPrintingAndCharting() {
    click("Calc1");
    QCOMPARE(m_state.DataCount, 1);
    auto* principal = control<QLineEdit>("InPrincipal");
    principal->setFocus();
    QTest::keyClicks(principal, QStringLiteral("90000"));
    QCOMPARE(principal->text(), QStringLiteral("90000"));
    QCOMPARE(m_state.DataCount, 0);

    click("Prt1");
    click("Graphs1");
    QCOMPARE(m_messages.shown.size(), std::size_t(2));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral(" No data to Print. Calculate."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Help"));
    QCOMPARE(m_messages.shown[1].text, QStringLiteral("No Data to work with. Calculate."));
    QCOMPARE(m_messages.shown[1].title, QStringLiteral("Advisory"));
    QCOMPARE(row(1, 0), QStringLiteral("01 S 1m  ")); // the table stays

    click("Calc1"); // leaving the box commits 90,000 first
    QCOMPARE(row(2, 4), QStringLiteral("$90,000.00"));
    QCOMPARE(m_state.DataCount, 2);
}

void TestCompareWindow::additionalPaymentsTakeTheNextPairOfColumns() {
    setExtra(2, 500000); // more than the balance: not applied
    click("Calc1");
    QCOMPARE(row(1, 2), QStringLiteral("25.00"));
    QCOMPARE(prePay(0, 1), QString());

    m_state.PrePayTable.size(45, 2);
    setExtra(3, 5000);
    setExtra(5, 10000);
    click("Calc1");
    QVERIFY(row(2, 2).startsWith(u'*'));
    QCOMPARE(prePay(0, 1), QStringLiteral("  Row     2"));
    QCOMPARE(prePay(1, 0), QStringLiteral("  3"));
    QCOMPARE(prePay(1, 1), QStringLiteral("  5,000.00"));
    QCOMPARE(prePay(2, 0), QStringLiteral("  5"));
    QCOMPARE(prePay(2, 1), QStringLiteral(" 10,000.00"));

    m_state.PrePayTable.size(45, 2);
    setExtra(1, 2000);
    click("Calc1");
    QCOMPARE(prePay(0, 3), QStringLiteral("  Row     3"));
    QCOMPARE(prePay(1, 2), QStringLiteral("  1"));
    QCOMPARE(prePay(1, 3), QStringLiteral("  2,000.00"));
    QCOMPARE(prePay(2, 3), QString());
    QCOMPARE(m_window->prePayGrid()->colWidth(0), m_window->prePayGrid()->colWidth(2));
    QVERIFY(m_window->prePayGrid()->colWidth(0) >= 400);
    QVERIFY(m_window->prePayGrid()->colWidth(1) >= 1000);
}

// A thousand millions at 18 % over 40 years, with the largest additional payment the
// Additional Payments window takes: every figure fits inside its cell's margins, however wide.
void TestCompareWindow::largeAmountsShowWhole_data() {
    QTest::addColumn<bool>("prePayGrid");
    QTest::newRow("comparison rows") << false;
    QTest::newRow("additional payments") << true;
}

void TestCompareWindow::largeAmountsShowWhole() {
    QFETCH(bool, prePayGrid);
    m_state.InputValues[1] = Currency::fromDouble(1000000000);
    m_state.InputValues[2] = Currency::fromDouble(18);
    m_state.InputValues[3] = Currency::fromDouble(40);
    setExtra(10, 99999999);
    m_state.PrePayCount = 1;
    click("Calc1");
    QVERIFY(m_messages.shown.empty());

    Grid* grid = prePayGrid ? m_window->prePayGrid() : m_window->rowGrid();
    auto* view = grid->findChild<QTableView*>();
    const int margins =
        2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    int checked = 0;
    for (int c = 0; c < grid->cols(); ++c) {
        const QString text = grid->cellText(1, c);
        if (text.isEmpty())
            continue;
        const int room = view->visualRect(view->model()->index(0, c)).width() - margins;
        QVERIFY2(view->fontMetrics().horizontalAdvance(text) <= room,
                 qPrintable(QStringLiteral("%1 in %2").arg(text).arg(room)));
        ++checked;
    }
    QVERIFY(checked >= (prePayGrid ? 2 : 8));
}

void TestCompareWindow::termLimit() {
    QComboBox* term = control<QComboBox>("InTerm");
    term->setFocus();
    QTest::keyClicks(term, QStringLiteral("45"));
    control<QPushButton>("Calc1")->setFocus();
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("Wrong entry, 40 Years limit."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Help"));
    QCOMPARE(m_state.InputValues[3].toDouble(), 40.0);

    m_state.InputValues[3] = Currency::fromDouble(41);
    click("Calc1");
    QCOMPARE(m_messages.shown.size(), std::size_t(2));
    QCOMPARE(m_messages.shown[1].title, QStringLiteral("Mortgage Comparisons"));
    QCOMPARE(m_state.DataCount, 0);
    QCOMPARE(row(1, 0), QString());
}

void TestCompareWindow::printsTheReport() {
    RecordingPrintService service;
    TextPrinter& printer = service.printer;
    m_window->setPrintService(&service);
    connect(m_window.get(), &CompareWindow::reportHeaderRequested, this,
            [this] { m_state.ReportHeader = QStringLiteral("Three offers"); });
    click("Calc1");
    click("Prt1");
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(printer.endDocCount(), 1);
    QCOMPARE(service.names, QStringList{QStringLiteral("Mortgage Comparisons")});
    const QStringList lines = printer.pages().value(0);
    QVERIFY(lines.contains(QStringLiteral(" Three offers")));
    QVERIFY(lines.contains(m_state.ReportLines[1].split(QStringLiteral("\r\n")).at(0)));
}

void TestCompareWindow::cancelledHeaderPrintsNothing() {
    RecordingPrintService service;
    TextPrinter& printer = service.printer;
    m_window->setPrintService(&service);
    connect(m_window.get(), &CompareWindow::reportHeaderRequested, this,
            [this] { m_state.ReportHeader = QStringLiteral("1"); });
    click("Calc1");
    click("Prt1");
    QVERIFY(printer.pages().isEmpty());
    QCOMPARE(printer.endDocCount(), 0);
}

void TestCompareWindow::helpPanelTakesTheGridsPlace() {
    click("Calc1");
    click("Help1");
    auto* panel = control<QPlainTextEdit>("HlpTxtBox");
    QVERIFY(panel->isVisible());
    QVERIFY(!m_window->rowGrid()->isVisible());
    QVERIFY(!m_window->prePayGrid()->isVisible());
    QVERIFY(!control<QPushButton>("Prt1")->isEnabled());
    QVERIFY(!control<QPushButton>("Graphs1")->isEnabled());
    QCOMPARE(control<QPushButton>("Help1")->text(), QStringLiteral("Close &Help"));
    const QStringList lines = panel->toPlainText().split(u'\n');
    QCOMPARE(lines.at(4), QStringLiteral("100,000.00"));
    QCOMPARE(lines.at(9), QStringLiteral("         10%"));
    QCOMPARE(lines.at(14), QStringLiteral("          25"));

    click("Help1");
    QVERIFY(!panel->isVisible());
    QVERIFY(m_window->rowGrid()->isVisible());
    QVERIFY(control<QPushButton>("Prt1")->isEnabled());
    QCOMPARE(control<QPushButton>("Help1")->text(), QStringLiteral("&Help"));
    QCOMPARE(row(1, 0), QStringLiteral("01 S 1m  "));
    QCOMPARE(m_state.DataCount, 0); // closing the panel is a change like any other
}

void TestCompareWindow::exitDropsTheTable() {
    QSignalSpy exited(m_window.get(), &CompareWindow::exited);
    click("Calc1");
    click("Exitbut1");
    QCOMPARE(exited.count(), 1);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_state.ChartData.isSized());
    QVERIFY(m_state.ReportLines.empty());
    QCOMPARE(m_state.DataCount, 0);
    QCOMPARE(m_state.TableView, 0);
    QCOMPARE(m_window->table().RowCount, 0);
}

// Save as CSV writes what "quillbrook-cli compare --format csv" prints for the same rows; with
// no row worked out it says there is nothing to save.
void TestCompareWindow::saveAsCsv_data() {
    QTest::addColumn<int>("rows");
    QTest::newRow("no row") << 0;
    QTest::newRow("one row") << 1;
    QTest::newRow("two rows") << 2;
}

void TestCompareWindow::saveAsCsv() {
    QFETCH(int, rows);
    // The start values: 100,000.00 at 10 % over 25 years, semiannual, monthly; the second row
    // is the same mortgage again.
    const QString row = "principal=100000 rate=10 years=25 compounding=semiannual";
    QStringList arguments{"compare", "--format", "csv"};
    for (int i = 0; i < rows; ++i) {
        click("Calc1");
        arguments << "--row" << row;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("comparisons.csv");
    QCOMPARE(m_window->saveCsv(path), rows > 0);
    if (rows == 0) {
        QCOMPARE(m_messages.shown.size(), size_t(1));
        QCOMPARE(m_messages.shown[0].text, QStringLiteral("No Data to work with. Calculate."));
        QCOMPARE(m_messages.shown[0].title, QStringLiteral("Advisory"));
        QVERIFY(!QFile::exists(path));
        return;
    }
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const CliRun run = RunTool(arguments);
    QCOMPARE(run.status, 0);
    QCOMPARE(QString::fromUtf8(saved.readAll()), run.out);
    QCOMPARE(run.out.count(u'\n'), rows + 1);
}

QTEST_MAIN(TestCompareWindow)
#include "tst_comparewindow.moc"
