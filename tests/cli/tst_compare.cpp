// "quillbrook-cli compare" run in-process: the report's lines as text, the CSV and JSON fields of
// each row with the figures of the default mortgage and its variants, and the refusals a script
// gets for bad rows or a row the window would refuse.
#include "cli/schedulecommand.h"
#include "core/print/printservice.h"
#include "core/settings/daysperyear.h"
#include "desktop/windows/comparewindow.h"
#include "desktop/windowtest.h"

#include <QComboBox>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QtTest>

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun run(QStringList arguments) {
    arguments.prepend(QStringLiteral("compare"));
    CliRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = qb::RunCli(arguments, out, err);
    out.flush();
    err.flush();
    return result;
}

const QString kDefaultRow =
    QStringLiteral(" 01 M 1m     25    25.00   12     $100,000.00  10.00%    $908.70  $172,609.85");

} // namespace

class TestCompare : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void textIsTheReportsLines();
    void textListsAdditionalPaymentsByRow();
    void csvFields();
    void jsonFields();
    void reportIsWhatTheWindowPrints();
    void reportOptionsNeedTheReportFormat();
    void helpListsTheReportOptions();
    void reportPdfOnAFullDevice();
    void refusals_data();
    void refusals();
};

// The same three rows calculated in the window and given to the tool: the window's printout and
// the tool's pages are the same text, additional-payments section and page break included.
void TestCompare::reportIsWhatTheWindowPrints() {
    qb::SharedState state;
    qb::ApplyDaysPerYear(state, qb::kDefaultDayFactorChoice);
    state.CurrencySymbol = QStringLiteral("$");
    qb::RecordingMessageBox messages;
    qb::CompareWindow window(state, messages);
    QVERIFY(qb::ShowActive(&window));
    qb::RecordingPrintService service;
    qb::TextPrinter& printer = service.printer;
    printer.setLineHeight(15840.0 / (21 + 8)); // 21 lines a page
    window.setPrintService(&service);
    connect(&window, &qb::CompareWindow::reportHeaderRequested, this,
            [&state] { state.ReportHeader = QStringLiteral("Three offers"); });
    const auto calculate = [&window] {
        QTest::mouseClick(qb::Control<QPushButton>(&window, QStringLiteral("Calc1")),
                          Qt::LeftButton);
    };
    const auto extra = [&state](int year, double amount) {
        state.PrePayTable.at(year, 1) = qb::Currency::fromDouble(year);
        state.PrePayTable.at(year, 2) = qb::Currency::fromDouble(amount);
    };
    extra(3, 5000);
    extra(5, 10000);
    calculate();
    state.PrePayTable.size(45, 2); // Erase all
    qb::Control<QComboBox>(&window, QStringLiteral("FreqPmt"))->setCurrentIndex(4);
    calculate();
    extra(1, 2500);
    qb::Control<QComboBox>(&window, QStringLiteral("FreqPmt"))->setCurrentIndex(0);
    qb::Control<QComboBox>(&window, QStringLiteral("ComPeriod"))->setCurrentIndex(3);
    calculate();
    QTest::mouseClick(qb::Control<QPushButton>(&window, QStringLiteral("Prt1")), Qt::LeftButton);
    QVERIFY(messages.shown.empty());

    const CliRun result = run(
        {QStringLiteral("--format"), QStringLiteral("report"), QStringLiteral("--header"),
         QStringLiteral("Three offers"), QStringLiteral("--lines-per-page"), QStringLiteral("21"),
         QStringLiteral("--row"), QStringLiteral("extra=3:5000 extra=5:10000"),
         QStringLiteral("--row"), QStringLiteral("frequency=biweekly-acc"), QStringLiteral("--row"),
         QStringLiteral("compounding=semiannual extra=1:2500")});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    QCOMPARE(printer.pages().size(), 2);
    QVERIFY(result.out.contains(QStringLiteral("* Additional Payments Applied")));
    QCOMPARE(result.out.split(u'\n'), printer.reportText().split(u'\n'));
}

void TestCompare::helpListsTheReportOptions() {
    const CliRun result = run({QStringLiteral("--help")});
    QCOMPARE(result.status, 0);
    for (const char* option : {"--row ROW", "--header TEXT", "--lines-per-page N", "--pdf FILE"})
        QVERIFY2(result.out.contains(QLatin1String(option)), option);
    // A report's PDF can fail to be written, as the other commands' output can.
    QVERIFY(
        result.out.contains(QStringLiteral("Exit status: 0 on success, 1 when the output cannot "
                                           "be written, 2 for bad input")));
}

// The PDF report on a device that takes no byte fails the run; the device is not replaced.
void TestCompare::reportPdfOnAFullDevice() {
    const CliRun result =
        run({QStringLiteral("--row"), QStringLiteral("rate=5"), QStringLiteral("--format"),
             QStringLiteral("report"), QStringLiteral("--pdf"), QStringLiteral("/dev/full")});
    QCOMPARE(result.err,
             QStringLiteral("quillbrook-cli: cannot write the output: No space left on device\n"));
    QCOMPARE(result.status, 1);
    QCOMPARE(result.out, QString());
    QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
}

void TestCompare::reportOptionsNeedTheReportFormat() {
    for (const char* option : {"--header", "--lines-per-page", "--pdf"}) {
        const CliRun result = run({QStringLiteral("--row"), QStringLiteral("rate=8"),
                                   QString::fromLatin1(option), QStringLiteral("2")});
        QCOMPARE(result.status, 2);
        QCOMPARE(result.out, QString());
        QCOMPARE(result.err, QStringLiteral("quillbrook-cli: --header, --lines-per-page and "
                                            "--pdf need --format report\n"));
    }
}

void TestCompare::textIsTheReportsLines() {
    const CliRun result = run({QStringLiteral("--row"), QStringLiteral("principal=100000"),
                               QStringLiteral("--row=frequency=biweekly-acc"),
                               QStringLiteral("--row"), QStringLiteral("compounding=semiannual")});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    const QStringList expected = {
        QStringLiteral(
            " Row       Amorti- Retired Number    Amount    Annual    Principal   Total"),
        QStringLiteral(
            " Compound  zation  at end  Annual    of        Interest  + Interest  Interest"),
        QStringLiteral(
            " Frequency Period  of Year Payments  Mortgage  Rate      Payment     Payment"),
        kDefaultRow,
        QStringLiteral(
            " 02 M b(a)   25    18.62   26     $100,000.00  10.00%    $454.35  $119,711.31"),
        QStringLiteral(
            " 03 S 1m     25    25.00   12     $100,000.00  10.00%    $894.49  $168,346.59"),
        QString(),
    };
    QCOMPARE(result.out.split(u'\n'), expected);
}

// A row without additional payments takes no column: rows 1 and 3 fill columns 0 and 1.
void TestCompare::textListsAdditionalPaymentsByRow() {
    const CliRun result =
        run({QStringLiteral("--currency"), QStringLiteral("EUR "), QStringLiteral("--row"),
             QStringLiteral("extra=3:5000  extra=5:10000"), QStringLiteral("--row"),
             QStringLiteral("rate=8"), QStringLiteral("--row"),
             QStringLiteral("principal=10000000 rate=12 years=40 extra=2:1500000")});
    QCOMPARE(result.status, 0);
    const QStringList lines = result.out.split(u'\n');
    QCOMPARE(lines.size(), 3 + 3 + 3 + 1);
    QVERIFY2(lines.at(3).contains(QStringLiteral("   *17.17   12  EUR 100,000.00")),
             qPrintable(lines.at(3)));
    QVERIFY2(lines.at(5).contains(QStringLiteral("EUR 10,000,000.00")), qPrintable(lines.at(5)));
    QCOMPARE(lines.at(6), QStringLiteral("  1  Row         3  Row  "));
    QCOMPARE(lines.at(7), QStringLiteral("  3  5,000.00    2 1,500,000.00"));
    QCOMPARE(lines.at(8), QStringLiteral("  5 10,000.00"));
}

void TestCompare::csvFields() {
    const CliRun result =
        run({QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--row"),
             QStringLiteral("frequency=biweekly-acc"), QStringLiteral("--row"),
             QStringLiteral("extra=3:5000 extra=4:999999")});
    QCOMPARE(result.status, 0);
    const QStringList lines = result.out.split(u'\n');
    QCOMPARE(lines.at(0),
             QStringLiteral("row,compounding,frequency_code,years,years_to_retire,"
                            "extra_payments_applied,payments_per_year,principal,rate,payment,"
                            "total_interest,interest_rate_factor"));
    const QStringList first = lines.at(1).split(u',');
    QCOMPARE(first.mid(0, 4), (QStringList{"1", "M", "b(a)", "25"}));
    QCOMPARE(first.at(4).toDouble(), 484.0 / 26);
    QCOMPARE(first.mid(5, 3), (QStringList{"0", "26", "100000.0000"}));
    QCOMPARE(first.at(8), QStringLiteral("10"));
    QCOMPARE(qRound64(first.at(9).toDouble() * 100), 45435);
    QCOMPARE(first.at(10), QStringLiteral("119711.3112"));
    QVERIFY(first.at(11).toDouble() > 0.0038 && first.at(11).toDouble() < 0.0039);
    // The 999,999 would overpay the loan: it is not applied and not counted.
    const QStringList second = lines.at(2).split(u',');
    QCOMPARE(second.mid(0, 3), (QStringList{"2", "M", "1m"}));
    QCOMPARE(second.at(5), QStringLiteral("1"));
    QCOMPARE(lines.size(), 4);
}

void TestCompare::jsonFields() {
    const CliRun result = run({QStringLiteral("--format=json"), QStringLiteral("--row"),
                               QStringLiteral("extra=3:5000 extra=5:10000 extra=5:2500")});
    QCOMPARE(result.status, 0);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray rows = document.object()[u"rows"].toArray();
    QCOMPARE(rows.size(), 1);
    const QJsonObject row = rows.at(0).toObject();
    QCOMPARE(row[u"row"].toInt(), 1);
    QCOMPARE(row[u"compounding"].toString(), QStringLiteral("M"));
    QCOMPARE(row[u"frequency_code"].toString(), QStringLiteral("1m"));
    QCOMPARE(row[u"extra_payments_applied"].toInt(), 2);
    QCOMPARE(row[u"principal"].toDouble(), 100000.0);
    const QJsonArray extras = row[u"extra_payments"].toArray();
    QCOMPARE(extras.size(), 2);
    QCOMPARE(extras.at(1).toObject()[u"year"].toInt(), 5);
    QCOMPARE(extras.at(1).toObject()[u"amount"].toDouble(), 2500.0); // the last amount given
    QVERIFY(result.out.contains(QStringLiteral("\"amount\": 2500.0000}")));
}

void TestCompare::refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QStringList thirteen;
    for (int i = 0; i < 13; ++i)
        thirteen << QStringLiteral("--row") << QStringLiteral("rate=%1").arg(5 + i);
    // The windows' refusals name the row, and the item when it is one.
    QTest::newRow("13 rows") << thirteen << "--row 13: 12 row limit.";
    QTest::newRow("41 years") << QStringList{"--row", "rate=8", "--row", "years=41"}
                              << "--row 2: Wrong entry, 40 Years limit.";
    QTest::newRow("extra beyond the row's term")
        << QStringList{"--row", "years=25 extra=30:5"}
        << "--row 1 extra 30:5: Year number does not exist.";
    QTest::newRow("extra beyond a later row's term")
        << QStringList{"--row", "rate=8", "--row", "extra=3:5 years=2"}
        << "--row 2 extra 3:5: Year number does not exist.";
    QTest::newRow("a row the engine cannot work out")
        << QStringList{"--row", "rate=8", "--row", "rate=0"} << "--row 2: Wrong entry, try again";
    QTest::newRow("no row") << QStringList{"--format", "csv"} << "at least one --row is needed";
    QTest::newRow("unknown key") << QStringList{"--row", "term=5"}
                                 << "--row 1: \"term=5\" has a key that is not listed by --help";
    QTest::newRow("not an item") << QStringList{"--row", "rate=8", "--row", "25"}
                                 << "--row 2: \"25\" is not a KEY=VALUE item";
    QTest::newRow("bad frequency")
        << QStringList{"--row", "frequency=daily"}
        << "--row 1 frequency: \"daily\" is not one of the names listed by --help";
    QTest::newRow("bad amount") << QStringList{"--row", "principal=lots"}
                                << "--row 1 principal: \"lots\" is not a number";
    QTest::newRow("bad extra") << QStringList{"--row", "extra=46:100"}
                               << "--row 1 extra: \"46:100\" has a year that is not between 1 "
                                  "and 45";
    QTest::newRow("unknown format") << QStringList{"--row", "rate=8", "--format", "xml"}
                                    << "--format: \"xml\" is not text, csv, json or report";
    QTest::newRow("unknown option")
        << QStringList{"--row", "rate=8", "--view", "all"} << "unknown option \"--view\"";
}

void TestCompare::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const CliRun result = run(arguments);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QString());
    QCOMPARE(result.err, QStringLiteral("quillbrook-cli: ") + message + u'\n');
}

QTEST_MAIN(TestCompare)
#include "tst_compare.moc"
