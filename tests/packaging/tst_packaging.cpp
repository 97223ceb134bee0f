// The files the build writes for the package: every one that shows a version shows the
// project's, so a new version number reaches them all; and both manual pages format without a
// warning from man, checked as the Debian package checker checks them.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString kPackagingDir = QStringLiteral(QB_PACKAGING_DIR);

QString readBuilt(const QString& name) {
    QFile file(kPackagingDir + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestPackaging : public QObject {
    Q_OBJECT

private slots:
    void showsTheProjectVersion_data();
    void showsTheProjectVersion();
    void manualPageFormatsWithoutWarnings_data();
    void manualPageFormatsWithoutWarnings();
};

void TestPackaging::showsTheProjectVersion_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("pattern"); // its first capture is the version shown

    QTest::newRow("program's manual page")
        << "quillbrook.1"
        << R"re(^\.TH QUILLBROOK 1 "[^"]+" "Quillbrook ([^"]*)")re";
    QTest::newRow("tool's manual page")
        << "quillbrook-cli.1"
        << R"re(^\.TH QUILLBROOK-CLI 1 "[^"]+" "Quillbrook ([^"]*)")re";
    // AppStream lists the newest release first, as the changelog its newest entry.
    QTest::newRow("AppStream release") << "org.quillbrook.Quillbrook.metainfo.xml"
                                       << R"re(<release version="([^"]*)")re";
    QTest::newRow("changelog entry") << "changelog"
                                     << R"re(\Aquillbrook \(([^)]*)\) )re";
}

void TestPackaging::showsTheProjectVersion() {
    QFETCH(QString, file);
    QFETCH(QString, pattern);
    const QString text = readBuilt(file);
    QVERIFY2(!text.isEmpty(), qPrintable(file + " was not written"));
    const QRegularExpressionMatch match =
        QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text);
    QVERIFY2(match.hasMatch(), qPrintable(file + " names no version where expected"));
    QCOMPARE(match.captured(1), QStringLiteral(QB_PROJECT_VERSION));
}

void TestPackaging::manualPageFormatsWithoutWarnings_data() {
    QTest::addColumn<QString>("page");
    QTest::newRow("quillbrook") << "quillbrook.1";
    QTest::newRow("quillbrook-cli") << "quillbrook-cli.1";
}

void TestPackaging::manualPageFormatsWithoutWarnings() {
    QFETCH(QString, page);
    QVERIFY2(!readBuilt(page).isEmpty(), qPrintable(page + " was not written"));
    QProcess man;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("MANROFFSEQ"), QString());
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    man.setProcessEnvironment(environment);
    man.setStandardOutputFile(QProcess::nullDevice());
    man.start(QStringLiteral("man"),
              {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
               QStringLiteral("-l"), QStringLiteral("-Tutf8"), QStringLiteral("-Z"),
               kPackagingDir + u'/' + page});
    QVERIFY2(man.waitForStarted(), "man is not installed (scripts/install-deps.sh installs it)");
    QVERIFY(man.waitForFinished(60000));
    const QString warnings = QString::fromUtf8(man.readAllStandardError());
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings));
    QCOMPARE(man.exitStatus(), QProcess::NormalExit);
    QCOMPARE(man.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_packaging.moc"
