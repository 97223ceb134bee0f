// The quillbrook-cli program itself, started as a script starts it: Qt's own options are the
// tool's unexpected arguments, no environment stops it from drawing or makes a successful run say
// anything on standard error, and a copy without its modules still prints text and says why it
// cannot draw.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCliMain : public QObject {
    Q_OBJECT

private slots:
    void qtOptionsAreRefused_data();
    void qtOptionsAreRefused();
    void drawsWhateverTheEnvironment_data();
    void drawsWhateverTheEnvironment();
    void drawingWithoutItsModule_data();
    void drawingWithoutItsModule();
};

namespace {

struct Finished {
    bool normalExit = false;
    int status = -1;
    QString err;
};

// Runs the tool with arguments, OUT standing for a file in folder; environment changes are
// NAME=value to set, NAME alone to unset.
Finished runTool(QStringList arguments, const QStringList& changes, const QString& folder,
                 const QString& program = QStringLiteral(QB_CLI_PROGRAM)) {
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("OUT"), folder + QStringLiteral("/out"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& change : changes) {
        const qsizetype equals = change.indexOf(u'=');
        if (equals < 0)
            environment.remove(change);
        else
            environment.insert(change.left(equals), change.mid(equals + 1));
    }
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    Finished result;
    if (!tool.waitForFinished(120000))
        return result;
    result.normalExit = tool.exitStatus() == QProcess::NormalExit;
    result.status = tool.exitCode();
    result.err = QString::fromLocal8Bit(tool.readAllStandardError());
    return result;
}

} // namespace

void TestCliMain::qtOptionsAreRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("option");

    QTest::newRow("platform of a chart")
        << QStringList{"chart", "mortgage", "--output", "OUT.png", "-platform", "bogus"}
        << "-platform";
    QTest::newRow("style of a chart")
        << QStringList{"chart", "loan", "-style", "fusion", "--output", "OUT.svg"} << "-style";
    QTest::newRow("reverse of a PDF")
        << QStringList{"report", "mortgage", "--pdf", "OUT.pdf", "-reverse"} << "-reverse";
    QTest::newRow("session of a PDF")
        << QStringList{"compare",  "--row", "rate=5", "--format", "report",
                       "-session", "s",     "--pdf",  "OUT.pdf"}
        << "-session";
}

void TestCliMain::qtOptionsAreRefused() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, option);

    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const Finished run = runTool(arguments, {}, folder.path());
    QVERIFY(run.normalExit);
    QCOMPARE(run.err, QStringLiteral("quillbrook-cli: unexpected argument \"%1\"\n").arg(option));
    QCOMPARE(run.status, 2);
    QVERIFY(QDir(folder.path()).isEmpty());
}

void TestCliMain::drawsWhateverTheEnvironment_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");

    const QStringList chart{"chart", "mortgage", "--output", "OUT.png"};
    const QStringList pdf{"report", "loan", "--pdf", "OUT.pdf"};
    const QStringList noDisplay{"QT_QPA_PLATFORM=xcb", "DISPLAY", "WAYLAND_DISPLAY"};
    QTest::newRow("chart, a platform with no display") << chart << noDisplay;
    QTest::newRow("PDF, a platform with no display") << pdf << noDisplay;
    QTest::newRow("chart, a platform that does not exist")
        << chart << QStringList{"QT_QPA_PLATFORM=bogus"};
    QTest::newRow("chart, no runtime folder") << chart << QStringList{"XDG_RUNTIME_DIR"};
    QTest::newRow("PDF, no runtime folder") << pdf << QStringList{"XDG_RUNTIME_DIR"};
}

void TestCliMain::drawsWhateverTheEnvironment() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);

    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const Finished run = runTool(arguments, environment, folder.path());
    QVERIFY(run.normalExit);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.status, 0);
    const QString written = QStringLiteral("out.") + QFileInfo(arguments.last()).suffix();
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList(written));
    QVERIFY(QFileInfo(folder.path() + u'/' + written).size() > 0);
}

// A copy of the tool in a bin/ folder with no modules beside it or in ../lib/quillbrook/modules/.
void TestCliMain::drawingWithoutItsModule_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err"); // FOLDER stands for the folder that holds bin/

    const QString notFound =
        QStringLiteral("is not in FOLDER/lib/quillbrook/modules or FOLDER/bin");
    QTest::newRow("chart") << QStringList{"chart", "mortgage", "--output", "OUT.png"} << 1
                           << QStringLiteral("cannot write the output: Charts could not be "
                                             "loaded: quillbrook-charts.so ") +
                                  notFound;
    QTest::newRow("PDF") << QStringList{"report", "loan", "--pdf", "OUT.pdf"} << 1
                         << QStringLiteral("cannot write the output: PDF output could not be "
                                           "loaded: quillbrook-pdf.so ") +
                                notFound;
    QTest::newRow("bad input comes first")
        << QStringList{"chart", "loan", "--years", "5", "--output", "OUT.png"} << 2
        << QStringLiteral("--years is not an option of chart loan; use --months");
    QTest::newRow("text") << QStringList{"report", "loan"} << 0 << QString();
}

void TestCliMain::drawingWithoutItsModule() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, err);

    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("bin")));
    const QString program = folder.filePath(QStringLiteral("bin/quillbrook-cli"));
    QVERIFY(QFile::copy(QStringLiteral(QB_CLI_PROGRAM), program));
    const Finished run = runTool(arguments, {}, folder.path(), program);
    QVERIFY(run.normalExit);
    QCOMPARE(run.status, status);
    if (err.isEmpty())
        QCOMPARE(run.err, QString());
    else
        QCOMPARE(run.err, QStringLiteral("quillbrook-cli: %1\n")
                              .arg(err.replace(QStringLiteral("FOLDER"), folder.path())));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TestCliMain)
#include "tst_climain.moc"
