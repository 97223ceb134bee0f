// The To Printer button of the table windows: the no-data message, the header dialog and its
// cancel, and the report the window prints, compared line for line with what
// "quillbrook-cli report" prints for the same loan. Save as CSV likewise against
// "quillbrook-cli schedule --format csv".
#include "cli/clirun.h"
#include "core/print/printservice.h"
#include "core/settings/daysperyear.h"
#include "desktop/windows/naminput.h"
#include "desktop/windows/tablewindow.h"
#include "desktop/windowtest.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace qb;

namespace {

// Answers the header dialog once it is up: types header and presses the button named button,
// or closes the dialog by its frame when button is empty. Records whether a dialog came up.
class DialogAnswer : public QObject {
public:
    DialogAnswer(QString header, QString button)
        : m_header(std::move(header)), m_button(std::move(button)) {
        QTimer::singleShot(0, this, &DialogAnswer::answer);
    }
    bool shown = false;

private:
    void answer() {
        auto* dialog = qobject_cast<NamInput*>(QApplication::activeModalWidget());
        if (!dialog) {
            // Not up yet, or never: look again until the test goes on without it.
            if (++m_tries < 50)
                QTimer::singleShot(10, this, &DialogAnswer::answer);
            return;
        }
        shown = true;
        QTest::keyClicks(Control<QLineEdit>(dialog, "InFName"), m_header);
        if (m_button.isEmpty())
            dialog->close();
        else
            QTest::mouseClick(Control<QPushButton>(dialog, m_button), Qt::LeftButton);
    }

    QString m_header;
    QString m_button;
    int m_tries = 0;
};

} // namespace

class TestPrintTable : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup() { m_window.reset(); }
    void noData();
    void printsAfterAnInputChange();
    void headerDialog_data();
    void headerDialog();
    void windowAndCommandLinePrintTheSame_data();
    void windowAndCommandLinePrintTheSame();
    void commandLinePdf();
    void saveAsCsv_data();
    void saveAsCsv();

private:
    void open(const TableWindowSetup& setup);
    void calculate() {
        QTest::mouseClick(Control<QPushButton>(m_window.get(), m_calcName), Qt::LeftButton);
    }
    void pressToPrinter() {
        QTest::mouseClick(Control<QPushButton>(m_window.get(), m_printName), Qt::LeftButton);
    }

    SharedState m_state;
    RecordingMessageBox m_messages;
    RecordingPrintService m_printing;
    std::unique_ptr<TableWindow> m_window;
    QString m_calcName;
    QString m_printName;
};

void TestPrintTable::init() {
    m_state = SharedState();
    ApplyDaysPerYear(m_state, kDefaultDayFactorChoice);
    m_state.CurrencySymbol = QStringLiteral("$");
    m_messages = RecordingMessageBox();
    m_printing.names.clear();
}

void TestPrintTable::open(const TableWindowSetup& setup) {
    m_calcName = setup.calcName;
    m_printName = setup.printName;
    m_window = std::make_unique<TableWindow>(setup, m_state, m_messages);
    m_window->setPrintService(&m_printing);
    QVERIFY(ShowActive(m_window.get()));
}

void TestPrintTable::noData() {
    open(MortgageTablesSetup());
    DialogAnswer answer("Smith", "Acept");
    pressToPrinter();
    QTest::qWait(100);
    QVERIFY(!answer.shown);
    QCOMPARE(m_messages.shown.size(), size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral(" No data to Print. Calculate."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Help"));
    QVERIFY(m_printing.names.isEmpty());
}

// An input changed since Calculate takes the table off the screen, but To Printer calculates
// afresh and prints the inputs as they now are.
void TestPrintTable::printsAfterAnInputChange() {
    open(MortgageTablesSetup());
    calculate();
    auto* term = Control<QComboBox>(m_window.get(), "InTerm");
    term->setFocus();
    QTest::keyClicks(term, QStringLiteral("20"));
    Control<QPushButton>(m_window.get(), m_calcName)->setFocus();
    QCOMPARE(m_state.DataCount, 0);
    DialogAnswer answer("Smith", "Acept");
    pressToPrinter();
    QVERIFY(answer.shown);
    QCOMPARE(m_printing.names, QStringList{"Mortgage Table"});
    QCOMPARE(m_state.LastSchedule.tableRows, 20);
}

void TestPrintTable::headerDialog_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button"); // empty: closed by the frame
    QTest::addColumn<QString>("previous");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<QString>("header");

    QTest::newRow("continue") << "Smith"
                              << "Acept"
                              << "" << true << "Smith";
    QTest::newRow("cancel") << "Smith"
                            << "NAcept"
                            << "" << false << "1";
    QTest::newRow("1 typed") << "1"
                             << "Acept"
                             << "" << false << "1";
    QTest::newRow("frame keeps the last header") << "Smith"
                                                 << ""
                                                 << "Jones" << true << "Jones";
}

void TestPrintTable::headerDialog() {
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, previous);
    QFETCH(bool, printed);
    QFETCH(QString, header);

    open(MortgageTablesSetup());
    calculate();
    m_state.ReportHeader = previous;
    DialogAnswer answer(typed, button);
    pressToPrinter();
    QVERIFY(answer.shown);
    QCOMPARE(m_state.ReportHeader, header);
    QCOMPARE(m_printing.names, printed ? QStringList{"Mortgage Table"} : QStringList{});
    if (printed)
        QCOMPARE(m_printing.printer.pages().first().at(2), " " + header);
}

void TestPrintTable::windowAndCommandLinePrintTheSame_data() {
    QTest::addColumn<bool>("loan");
    QTest::addColumn<bool>("extra"); // 5,000.00 in year 2
    QTest::addColumn<QStringList>("options");

    QTest::newRow("mortgage, every payment")
        << false << false << QStringList{"mortgage",         "--view",           "all", "--header",
                                         "Smith, 12 Elm St", "--lines-per-page", "58"};
    QTest::newRow("mortgage, additional payment")
        << false << true << QStringList{"mortgage",         "--view",  "all",   "--header",
                                        "Smith, 12 Elm St", "--extra", "2:5000"};
    QTest::newRow("loan") << true << false
                          << QStringList{"loan", "--header", "Smith, 12 Elm St", "--lines-per-page",
                                         "58"};
}

void TestPrintTable::windowAndCommandLinePrintTheSame() {
    QFETCH(bool, loan);
    QFETCH(bool, extra);
    QFETCH(QStringList, options);

    open(loan ? LoanTablesSetup() : MortgageTablesSetup());
    if (extra) {
        // As the Additional Payments window leaves them.
        m_state.PrePayTable.at(2, 1) = Currency::fromDouble(2);
        m_state.PrePayTable.at(2, 2) = Currency::fromDouble(5000);
        m_state.PrePayCount = 1;
    }
    QTest::mouseClick(Control<QRadioButton>(m_window.get(), "Option1"), Qt::LeftButton);
    calculate();
    DialogAnswer answer("Smith, 12 Elm St", "Acept");
    pressToPrinter();
    QVERIFY(answer.shown);
    // The recording printer's 240-twip line gives the 58 lines a page the tool is told.
    const QString printed = m_printing.printer.reportText();

    const CliRun run = RunTool(QStringList{"report"} + options);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out.split(u'\n'), printed.split(u'\n'));
    QVERIFY(printed.count(u'\f') >= 1);
    QCOMPARE(printed.contains(QStringLiteral("Additional  Payments     Applied")), extra);
}

// The tool's PDF goes through the desktop program's printer: nothing on standard output, one
// sheet a page. 300 rows in Courier New 11 (56 lines a page, so 29 rows on the first page and 49
// on each next) take 7 pages.
void TestPrintTable::commandLinePdf() {
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    const CliRun run = RunTool({"report", "mortgage", "--view", "all", "--pdf", path});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    QCOMPARE(QString::fromLatin1(pdf).count(page), 7);
}

void TestPrintTable::saveAsCsv_data() {
    QTest::addColumn<bool>("loan");
    QTest::addColumn<QString>("before"); // "calculate", "nothing" or "input change"
    QTest::addColumn<QString>("file");   // in a fresh folder; "missing/" is a folder not there
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message"); // the start of the message shown, if any

    QTest::newRow("mortgage, every payment")
        << false << "calculate"
        << "schedule.csv" << QStringList{"--view", "all"} << QString();
    QTest::newRow("loan, yearly") << true << "calculate"
                                  << "loan.csv" << QStringList{"--months", "48",     "--principal",
                                                               "20000",    "--view", "annual"}
                                  << QString();
    QTest::newRow("nothing calculated")
        << false << "nothing"
        << "schedule.csv" << QStringList{} << "No Data to work with. Calculate.";
    QTest::newRow("after an input change")
        << false << "input change"
        << "schedule.csv" << QStringList{} << "No Data to work with. Calculate.";
    QTest::newRow("folder not there")
        << false << "calculate"
        << "missing/schedule.csv" << QStringList{} << "The file could not be saved: ";
}

void TestPrintTable::saveAsCsv() {
    QFETCH(bool, loan);
    QFETCH(QString, before);
    QFETCH(QString, file);
    QFETCH(QStringList, options);
    QFETCH(QString, message);

    open(loan ? LoanTablesSetup() : MortgageTablesSetup());
    if (!loan)
        QTest::mouseClick(Control<QRadioButton>(m_window.get(), "Option1"), Qt::LeftButton);
    else
        QTest::mouseClick(Control<QRadioButton>(m_window.get(), "Option2"), Qt::LeftButton);
    if (before != u"nothing")
        calculate();
    if (before == u"input change")
        QTest::mouseClick(Control<QRadioButton>(m_window.get(), "Option2"), Qt::LeftButton);

    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    QCOMPARE(m_window->saveCsv(path), message.isEmpty());
    if (!message.isEmpty()) {
        QCOMPARE(m_messages.shown.size(), size_t(1));
        QVERIFY2(m_messages.shown[0].text.startsWith(message),
                 qPrintable(m_messages.shown[0].text));
        QCOMPARE(m_messages.shown[0].title, QStringLiteral("Advisory"));
        QVERIFY(!QFile::exists(path));
        return;
    }
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const CliRun run = RunTool(QStringList{"schedule", "--format", "csv"} + options);
    QCOMPARE(run.status, 0);
    QCOMPARE(QString::fromUtf8(saved.readAll()), run.out);
    QVERIFY(run.out.count(u'\n') > 4);
}

QTEST_MAIN(TestPrintTable)
#include "tst_printtable.moc"
