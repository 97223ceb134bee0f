// quillbrook-cli chart: the picture's file and size, what the chart control was handed, and the
// refusals of bad input and of a file that cannot be written, which leaves the old file whole.
#include "charts/chartcontrol.h"
#include "cli/chartcommand.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace qb;

namespace {

struct Run {
    int status = 0;
    QString out;
    QString err;
    ChartPicture drawn;
};

Run run(const QStringList& arguments) {
    Run result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status =
        RunChartCommand(QStringList(QStringLiteral("chart")) + arguments, out, err, &result.drawn);
    return result;
}

} // namespace

class TestCliChart : public QObject {
    Q_OBJECT

private slots:
    void mortgagePicture();
    void loanPictureAsSvg();
    void comparisonPicture();
    void markupInTheSymbolIsDrawnAsWritten_data();
    void markupInTheSymbolIsDrawnAsWritten();
    void refusedInput_data();
    void refusedInput();
    void outputThatCannotBeWritten();
    void fullDeviceFailsTheRun_data();
    void fullDeviceFailsTheRun();
    void oldPictureStaysUntilTheNewIsWhole();
};

void TestCliChart::mortgagePicture() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("balance.png"));
    const Run result = run({QStringLiteral("mortgage"), QStringLiteral("--output"), path});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QString());

    const QImage image(path);
    QCOMPARE(image.size(), QSize(1024, 640));
    // Not a blank picture: the bars and the title leave more than one colour.
    QVERIFY(image.pixelColor(0, 0) != image.pixelColor(512, 600) ||
            image.pixelColor(512, 40) != image.pixelColor(0, 0));

    QCOMPARE(result.drawn.values.size(), std::size_t(25));
    QCOMPARE(result.drawn.values.front(), 100000.0);
    QCOMPARE(result.drawn.captions.front(), QStringLiteral("1"));
    QCOMPARE(result.drawn.captions.back(), QStringLiteral("25"));
    QCOMPARE(result.drawn.title, QStringLiteral("Mortgage balance at start of each Year"));
    QCOMPARE(result.drawn.colourStyle, 1);
    QCOMPARE(result.drawn.chartType, ChartControl::kBars2D);
}

void TestCliChart::loanPictureAsSvg() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("loan.svg"));
    const Run result =
        run({QStringLiteral("loan"), QStringLiteral("--output=") + path, QStringLiteral("--width"),
             QStringLiteral("800"), QStringLiteral("--height=300"), QStringLiteral("--months"),
             QStringLiteral("30"), QStringLiteral("--principal"), QStringLiteral("5000")});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    QSvgRenderer svg(path);
    QVERIFY(svg.isValid());
    QCOMPARE(svg.viewBox(), QRect(0, 0, 800, 300));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("Personal Loan balance at start of each Year"));
    // 30 months: two and a half years, three points from the principal down.
    QCOMPARE(result.drawn.values.size(), std::size_t(3));
    QCOMPARE(result.drawn.values.front(), 5000.0);
}

// The value axis title carries the currency symbol as written, tags and all.
void TestCliChart::markupInTheSymbolIsDrawnAsWritten_data() {
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QByteArray>("written"); // as the picture's XML holds it
    QTest::newRow("image") << QStringLiteral("<img src=/dev/zero>")
                           << QByteArray("Value &lt;img src=/dev/zero&gt;");
    QTest::newRow("bold") << QStringLiteral("<b>bold</b>")
                          << QByteArray("Value &lt;b&gt;bold&lt;/b&gt;");
}

void TestCliChart::markupInTheSymbolIsDrawnAsWritten() {
    QFETCH(QString, symbol);
    QFETCH(QByteArray, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("compare.svg"));
    const Run result =
        run({QStringLiteral("compare"), QStringLiteral("--row"), QStringLiteral("rate=5"),
             QStringLiteral("--currency"), symbol, QStringLiteral("--output"), path});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    QCOMPARE(result.drawn.valueAxisTitle, QStringLiteral("Value ") + symbol);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(written));
}

void TestCliChart::comparisonPicture() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("compare.png"));
    const Run result =
        run({QStringLiteral("compare"), QStringLiteral("--row"), QStringLiteral("rate=6"),
             QStringLiteral("--row"), QStringLiteral("rate=8"), QStringLiteral("--row=rate=10"),
             QStringLiteral("--currency"), QStringLiteral("EUR"), QStringLiteral("--output"), path,
             QStringLiteral("--width=640")});
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    QCOMPARE(QImage(path).size(), QSize(640, 640));
    QCOMPARE(result.drawn.captions,
             (std::vector<QString>{QStringLiteral("Row  1"), QStringLiteral("Row  2"),
                                   QStringLiteral("Row  3")}));
    QCOMPARE(result.drawn.title, QStringLiteral(" Total mortgage interest paid"));
    QCOMPARE(result.drawn.valueAxisTitle, QStringLiteral("Value EUR"));
    // More interest at a higher rate.
    QVERIFY(result.drawn.values.at(0) < result.drawn.values.at(1));
    QVERIFY(result.drawn.values.at(1) < result.drawn.values.at(2));

    const Run refused = run({QStringLiteral("compare"), QStringLiteral("--output"), path,
                             QStringLiteral("--pdf=x.pdf"), QStringLiteral("--row=rate=6")});
    QCOMPARE(refused.status, 2);
    QCOMPARE(refused.err, QStringLiteral("quillbrook-cli: --pdf is not an option of chart\n"));
}

void TestCliChart::refusedInput_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString out = QStringLiteral("--output=a.png");
    QTest::newRow("bad extension")
        << QStringList{QStringLiteral("mortgage"), QStringLiteral("--output"),
                       QStringLiteral("a.jpg")}
        << QStringLiteral("--output: \"a.jpg\" does not end in .png or .svg");
    QTest::newRow("no output") << QStringList{QStringLiteral("loan")}
                               << QStringLiteral("--output: a picture file is required");
    QTest::newRow("too narrow") << QStringList{QStringLiteral("mortgage"), out,
                                               QStringLiteral("--width=199")}
                                << QStringLiteral(
                                       "--width: \"199\" is not a whole number from 200 to 4000");
    QTest::newRow("too high") << QStringList{QStringLiteral("mortgage"), out,
                                             QStringLiteral("--height"), QStringLiteral("4001")}
                              << QStringLiteral(
                                     "--height: \"4001\" is not a whole number from 200 to 4000");
    QTest::newRow("report's pdf") << QStringList{QStringLiteral("mortgage"), out,
                                                 QStringLiteral("--pdf"), QStringLiteral("x.pdf")}
                                  << QStringLiteral("--pdf is not an option of chart");
    QTest::newRow("report's format")
        << QStringList{QStringLiteral("loan"), out, QStringLiteral("--format=csv")}
        << QStringLiteral("--format is not an option of chart");
    QTest::newRow("years of a loan")
        << QStringList{QStringLiteral("loan"), out, QStringLiteral("--years=3")}
        << QStringLiteral("--years is not an option of chart loan; use --months");
    QTest::newRow("months of a mortgage")
        << QStringList{QStringLiteral("mortgage"), out, QStringLiteral("--months=3")}
        << QStringLiteral("--months is not an option of chart mortgage; use --years");
    QTest::newRow("schedule's own check")
        << QStringList{QStringLiteral("mortgage"), out, QStringLiteral("--rate"),
                       QStringLiteral("abc")}
        << QStringLiteral("--rate: \"abc\" is not a number");
    QTest::newRow("currency with a direction override")
        << QStringList{QStringLiteral("mortgage"), out, QStringLiteral("--currency"),
                       QStringLiteral("\u202E$")}
        << QStringLiteral("--currency: holds a control character");
    QTest::newRow("unknown kind") << QStringList{QStringLiteral("savings"), out}
                                  << QStringLiteral(
                                         "chart: \"savings\" is not mortgage, loan or compare");
}

void TestCliChart::refusedInput() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    const Run result = run(arguments);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.err, QStringLiteral("quillbrook-cli: ") + message + u'\n');
    QCOMPARE(result.out, QString());
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestCliChart::outputThatCannotBeWritten() {
    QTemporaryDir dir;
    for (const QString& name : {QStringLiteral("a.png"), QStringLiteral("a.svg")}) {
        const QString path = dir.filePath(QStringLiteral("missing/") + name);
        const Run result = run({QStringLiteral("mortgage"), QStringLiteral("--output"), path});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.err.startsWith(QStringLiteral("quillbrook-cli: cannot write the output: ")),
                 qPrintable(result.err));
        QVERIFY(!QFile::exists(path));
    }
}

void TestCliChart::fullDeviceFailsTheRun_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("PNG") << QStringLiteral("full.png");
    QTest::newRow("SVG") << QStringLiteral("full.svg");
}

// A picture's name that leads to a full device: every byte is refused, and the device is written
// in place, never replaced.
void TestCliChart::fullDeviceFailsTheRun() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));

    const Run result = run({QStringLiteral("mortgage"), QStringLiteral("--output"), path});
    QCOMPARE(result.err,
             QStringLiteral("quillbrook-cli: cannot write the output: No space left on device\n"));
    QCOMPARE(result.status, 1);
    QVERIFY(QFileInfo(path).isSymLink());
    QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
}

void TestCliChart::oldPictureStaysUntilTheNewIsWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("balance.png"));
    const QString oldName = dir.filePath(QStringLiteral("old.png"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old picture");
    }
    // A second name of the old file: a picture written over it in place would change it too.
    QCOMPARE(::link(qPrintable(path), qPrintable(oldName)), 0);

    const Run result = run({QStringLiteral("loan"), QStringLiteral("--output"), path});
    QCOMPARE(result.status, 0);
    QCOMPARE(QImage(path).size(), QSize(1024, 640));
    QFile old(oldName);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the old picture"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral("balance.png"), QStringLiteral("old.png")}));
}

QTEST_MAIN(TestCliChart)
#include "tst_clichart.moc"
