// The quillbrook-cli program itself, started as a script starts it: Qt's own options are the
// tool's unexpected arguments, and no environment stops it from drawing or makes a successful
// run say anything on standard error.
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
};

namespace {

struct Finished {
    bool normalExit = false;
    int status = -1;
    QString err;
};

// Runs the tool with arguments, OUT standing for a file in folder; environment changes are
// NAME=value to set, NAME alone to unset.
Finished runTool(QStringList arguments, const QStringList& changes, const QString& folder) {
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
    tool.start(QStringLiteral(QB_CLI_PROGRAM), arguments);
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

QTEST_GUILESS_MAIN(TestCliMain)
#include "tst_climain.moc"
