// "quillbrook-cli report" run in-process: the text rules of its output (form feed lines between
// pages, no trailing blanks, a line feed after every line, the block of applied payments broken
// at its CR LFs), the loan's own figures, the header counted in characters, empty values, and
// the refusals with their exit statuses.
#include "cli/clirun.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using qb::CliRun;

CliRun report(const QStringList& options) {
    return qb::RunTool(QStringList{"report"} + options);
}

// count smiling faces: one character each, two UTF-16 units.
QString emoji(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("\U0001F600");
    return text;
}

} // namespace

class TestCliReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void textRules_data();
    void textRules();
    void appliedPaymentsBlock();
    void loanMonthsToFinalPayment();
    void helpListsEveryOption();
    void headerCountsCharacters_data();
    void headerCountsCharacters();
    void emptyValues();
    void refused_data();
    void refused();
};

void TestCliReport::textRules_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("pages");

    // 300 rows: 31 on the first page, 51 on each of the next five, 14 on the last.
    QTest::newRow("mortgage, every payment") << QStringList{"mortgage", "--view", "all"} << 7;
    // 25 yearly rows fit on the first page.
    QTest::newRow("mortgage, yearly") << QStringList{"mortgage", "--view", "annual"} << 1;
    // 48 rows: 31 on the first page, 17 on the second.
    QTest::newRow("loan defaults") << QStringList{"loan"} << 2;
    // 10 lines a page: the counter runs 28 to 30 on the first page and 8 to 10 on the next, so
    // 3 rows a page; the ninth row fills the third page and the totals start a fourth.
    QTest::newRow("10 lines a page")
        << QStringList{"loan", "--months", "9", "--lines-per-page", "10"} << 4;
}

void TestCliReport::textRules() {
    QFETCH(QStringList, options);
    QFETCH(int, pages);

    const CliRun run = report(options);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.endsWith(u'\n'));
    QVERIFY(!run.out.endsWith(QStringLiteral("\f\n")));
    const QStringList lines = run.out.chopped(1).split(u'\n');
    QCOMPARE(lines.count(QStringLiteral("\f")), pages - 1);
    for (const QString& line : lines) {
        QVERIFY2(!line.endsWith(u' '), qPrintable(line));
        QVERIFY2(line == u"\f" || !line.contains(u'\f'), qPrintable(line));
        QVERIFY(!line.contains(u'\r'));
    }
    // The page line of every page but the last, numbered in order.
    QStringList pageLines;
    for (const QString& line : lines) {
        if (line.trimmed().startsWith(u"Page"))
            pageLines << line;
    }
    QCOMPARE(pageLines.size(), pages - 1);
    for (int p = 0; p < pageLines.size(); ++p)
        QCOMPARE(pageLines[p], QString(39, u' ') + QStringLiteral("Page %1").arg(p + 1));
}

void TestCliReport::appliedPaymentsBlock() {
    const CliRun run = report({"mortgage", "--view", "annual", "--extra", "2:5000", "--extra",
                               "24:500000", "--extra", "3:0", "--header", "Smith, 12 Elm St"});
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.startsWith(QStringLiteral("\n\n Smith, 12 Elm St\n\n")));
    // Only the payment the calculation applied is listed (year 24's would overpay the loan); the
    // block's last CR LF leaves one empty line, and nothing follows it.
    QVERIFY2(run.out.endsWith(QStringLiteral("\n\n Additional  Payments     Applied\n\n"
                                             "        2                5,000.00\n\n")),
             qPrintable(run.out.right(200)));
}

// The loan window shows the time to the final payment in months: 7 months is 0.5833 years,
// paid off in 7 payments, 7 / 12 years at full precision times 12.
void TestCliReport::loanMonthsToFinalPayment() {
    const CliRun run = report({"loan", "--months", "7"});
    QCOMPARE(run.status, 0);
    const QStringList lines = run.out.split(u'\n');
    QCOMPARE(lines[18].left(36), QStringLiteral(" Normal 0.00833333  12.00       7.00"));
}

// The help is put together from two files' texts; each must be there when it is shown.
void TestCliReport::helpListsEveryOption() {
    const CliRun run = report({"--help"});
    QCOMPARE(run.status, 0);
    for (const char* option : {"--header", "--currency", "--lines-per-page", "--pdf", "--help"})
        QVERIFY2(run.out.contains(QLatin1String(option)), option);
}

void TestCliReport::headerCountsCharacters_data() {
    QTest::addColumn<QString>("header");
    QTest::newRow("39 emoji") << emoji(39);
    QTest::newRow("76 emoji") << emoji(76);
}

void TestCliReport::headerCountsCharacters() {
    QFETCH(QString, header);
    const CliRun run = report({"mortgage", "--view", "annual", "--header", header});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.startsWith(QStringLiteral("\n\n ") + header + QStringLiteral("\n\n")));
}

// An empty value is the option's value: the default header (none), amounts with no symbol.
void TestCliReport::emptyValues() {
    const CliRun plain = report({"loan"});
    QCOMPARE(plain.status, 0);
    QVERIFY(plain.out.contains(u'$'));

    const CliRun noHeader = report({"loan", "--header", ""});
    QCOMPARE(noHeader.err, QString());
    QCOMPARE(noHeader.status, 0);
    QCOMPARE(noHeader.out, plain.out);

    const CliRun noSymbol = report({"loan", "--currency="});
    QCOMPARE(noSymbol.err, QString());
    QCOMPARE(noSymbol.status, 0);
    QVERIFY(!noSymbol.out.contains(u'$'));
    QCOMPARE(noSymbol.out.count(u'\n'), plain.out.count(u'\n'));
}

void TestCliReport::refused_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("no kind") << QStringList{} << 2 << "report: say mortgage or loan";
    QTest::newRow("unknown kind") << QStringList{"car"} << 2
                                  << "report: \"car\" is not mortgage or loan";
    QTest::newRow("months for a mortgage")
        << QStringList{"mortgage", "--months", "12"} << 2
        << "--months is not an option of report mortgage; use --years";
    QTest::newRow("years for a loan") << QStringList{"loan", "--years=3"} << 2
                                      << "--years is not an option of report loan; use --months";
    QTest::newRow("format is schedule's")
        << QStringList{"loan", "--format", "csv"} << 2 << "unknown option \"--format\"";
    QTest::newRow("header of 77 characters")
        << QStringList{"mortgage", "--header", QString(77, u'x')} << 2
        << "--header: more than 76 characters";
    QTest::newRow("header with a line feed") << QStringList{"mortgage", "--header", "a\nb"} << 2
                                             << "--header: holds a control character";
    QTest::newRow("header with a right-to-left override")
        << QStringList{"mortgage", "--header", QStringLiteral("Smith\u202E12")} << 2
        << "--header: holds a control character";
    QTest::newRow("header with a direction isolate")
        << QStringList{"mortgage", "--header", QStringLiteral("\u2066Smith")} << 2
        << "--header: holds a control character";
    QTest::newRow("currency with a line separator")
        << QStringList{"loan", "--currency", QStringLiteral("$\u2028")} << 2
        << "--currency: holds a control character";
    QTest::newRow("currency with a left-to-right mark")
        << QStringList{"loan", "--currency=\u200E"} << 2 << "--currency: holds a control character";
    QTest::newRow("header of 77 emoji") << QStringList{"mortgage", "--header", emoji(77)} << 2
                                        << "--header: more than 76 characters";
    QTest::newRow("header with no value")
        << QStringList{"mortgage", "--header"} << 2 << "--header: missing value";
    QTest::newRow("currency followed by an option")
        << QStringList{"mortgage", "--currency", "--header", "Smith"} << 2
        << "--currency: missing value";
    QTest::newRow("empty PDF name")
        << QStringList{"mortgage", "--pdf", ""} << 2 << "--pdf: \"\" is not a file name";
    QTest::newRow("empty principal")
        << QStringList{"loan", "--principal="} << 2 << "--principal: \"\" is not a number";
    QTest::newRow("no lines a page")
        << QStringList{"mortgage", "--lines-per-page", "0"} << 2
        << "--lines-per-page: \"0\" is not a whole number from 1 to 1000";
    QTest::newRow("too many lines a page")
        << QStringList{"mortgage", "--lines-per-page", "1001"} << 2
        << "--lines-per-page: \"1001\" is not a whole number from 1 to 1000";
    QTest::newRow("lines a page with a PDF")
        << QStringList{"mortgage", "--lines-per-page", "58", "--pdf", "a.pdf"} << 2
        << "--lines-per-page cannot be given with --pdf: the PDF's font sets the page length";
    QTest::newRow("a loan with no whole year")
        << QStringList{"loan", "--months", "6", "--view", "annual"} << 2
        << "No data to Print. Calculate.";
    QTest::newRow("PDF in a folder that does not exist")
        << QStringList{"mortgage", "--pdf", "no such folder/report.pdf"} << 1
        << "cannot write the output: No such file or directory";
}

void TestCliReport::refused() {
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    const CliRun run = report(options);
    QCOMPARE(run.status, status);
    QCOMPARE(run.err, QStringLiteral("quillbrook-cli: ") + message + u'\n');
    QCOMPARE(run.out, QString());
}

QTEST_GUILESS_MAIN(TestCliReport)
#include "tst_clireport.moc"
