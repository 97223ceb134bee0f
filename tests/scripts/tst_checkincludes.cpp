// The layer check (scripts/check-includes.sh) run on a small tree of its own: one clean file per
// layer, and each row adds one include to one of them. What a layer may not reach fails the
// check with the line that says why; what it may reach passes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCheckIncludes : public QObject {
    Q_OBJECT

private slots:
    void includes_data();
    void includes();
};

void TestCheckIncludes::includes_data() {
    QTest::addColumn<QString>("file"); // under src/
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("refusal"); // empty when the check passes

    QTest::newRow("clean tree") << "cli/a.cpp"
                                << "\"core/engine/a.h\"" << QString();
    QTest::newRow("core reaches the charts module")
        << "core/engine/a.h"
        << "\"charts/chartsmodule.h\""
        << "src/core/engine/a.h:2: the core library includes \"charts/chartsmodule.h\" from a "
           "higher layer";
    QTest::newRow("engine reaches the reports")
        << "core/engine/a.h"
        << "\"core/reports/b.h\""
        << "src/core/engine/a.h:2: core/engine includes \"core/reports/b.h\" from a folder above "
           "it";
    QTest::newRow("tool reaches the desktop printer")
        << "cli/a.cpp"
        << "\"desktop/platform/qtprinter.h\""
        << "src/cli/a.cpp:2: cli includes \"desktop/platform/qtprinter.h\", which is not its to "
           "use";
    QTest::newRow("tool reaches widgets")
        << "cli/a.cpp"
        << "<QWidget>"
        << "src/cli/a.cpp:2: cli includes <QWidget> outside QtCore";
    QTest::newRow("tool reaches fonts by module")
        << "cli/a.cpp"
        << "<QtGui/QFont>"
        << "src/cli/a.cpp:2: cli includes <QtGui/QFont> outside QtCore";
    QTest::newRow("tool reaches what the modules offer") << "cli/a.cpp"
                                                         << "\"pdf/pdfmodule.h\"" << QString();
    QTest::newRow("desktop reaches the Charts window")
        << "desktop/a.cpp"
        << "\"charts/graphicswindow.h\""
        << "src/desktop/a.cpp:2: desktop includes \"charts/graphicswindow.h\", which is not its "
           "to use";
    QTest::newRow("desktop reaches the PDF module")
        << "desktop/a.cpp"
        << "\"pdf/pdfmodule.h\""
        << "src/desktop/a.cpp:2: desktop includes \"pdf/pdfmodule.h\", which is not its to use";
    QTest::newRow("desktop reaches Qt Charts")
        << "desktop/a.cpp"
        << "<QChartView>"
        << "src/desktop/a.cpp:2: desktop includes <QChartView> outside QtCore, QtGui, QtWidgets, "
           "QtPrintSupport";
    QTest::newRow("desktop reaches Data Visualization by module")
        << "desktop/a.cpp"
        << "<QtDataVisualization/Q3DBars>"
        << "src/desktop/a.cpp:2: desktop includes <QtDataVisualization/Q3DBars> outside QtCore, "
           "QtGui, QtWidgets, QtPrintSupport";
    QTest::newRow("desktop reaches the charts module's offer")
        << "desktop/a.cpp"
        << "\"charts/chartsmodule.h\"" << QString();
    QTest::newRow("what the charts module offers reaches widgets")
        << "charts/chartsmodule.h"
        << "<QWidget>"
        << "src/charts/chartsmodule.h:2: charts includes <QWidget> outside QtCore";
    QTest::newRow("the charts module uses Qt Charts") << "charts/a.cpp"
                                                      << "<QChartView>" << QString();
    QTest::newRow("the PDF module uses the desktop printer")
        << "pdf/a.cpp"
        << "\"desktop/platform/qtprinter.h\"" << QString();
    QTest::newRow("the PDF module reaches the tool")
        << "pdf/a.cpp"
        << "\"cli/terms.h\""
        << "src/pdf/a.cpp:2: pdf includes \"cli/terms.h\", which is not its to use";
}

void TestCheckIncludes::includes() {
    QFETCH(QString, file);
    QFETCH(QString, header);
    QFETCH(QString, refusal);

    const QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir dir(root.path());
    QVERIFY(dir.mkpath(QStringLiteral("scripts")));
    QVERIFY(QFile::copy(QStringLiteral(QB_CHECK_INCLUDES),
                        dir.filePath(QStringLiteral("scripts/check-includes.sh"))));
    const QStringList files{"core/engine/a.h", "desktop/a.cpp",         "cli/a.cpp",
                            "charts/a.cpp",    "charts/chartsmodule.h", "pdf/a.cpp"};
    for (const QString& name : files) {
        const QString path = dir.filePath(QStringLiteral("src/") + name);
        QVERIFY(dir.mkpath(QFileInfo(path).path()));
        QFile source(path);
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write("#include <QString>\n");
        if (name == file)
            source.write("#include " + header.toUtf8() + '\n');
    }

    QProcess check;
    check.start(QStringLiteral("bash"),
                {dir.filePath(QStringLiteral("scripts/check-includes.sh"))});
    QVERIFY(check.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(check.readAllStandardError());
    if (refusal.isEmpty()) {
        QCOMPARE(err, QString());
        QCOMPARE(check.exitCode(), 0);
    } else {
        QCOMPARE(err, refusal + u'\n');
        QCOMPARE(check.exitCode(), 1);
    }
}

QTEST_GUILESS_MAIN(TestCheckIncludes)
#include "tst_checkincludes.moc"
