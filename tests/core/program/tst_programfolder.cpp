// Where the program finds its help file: beside itself in a build or unpacked folder, in
// ../share/quillbrook/ when installed, and which of the two counts as an installed program.
#include "core/program/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

using namespace qb;

class TestProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void helpFileAndInstalled_data();
    void helpFileAndInstalled();
};

void TestProgramFolder::helpFileAndInstalled_data() {
    QTest::addColumn<QStringList>("helpFiles"); // made under the temporary folder
    QTest::addColumn<QString>("expectedHelp");  // relative to it
    QTest::addColumn<bool>("installed");

    QTest::newRow("build folder") << QStringList{"bin/Corvathe.hlp"} << "bin/Corvathe.hlp" << false;
    QTest::newRow("install prefix")
        << QStringList{"share/quillbrook/Corvathe.hlp"} << "share/quillbrook/Corvathe.hlp" << true;
    QTest::newRow("both: beside wins")
        << QStringList{"bin/Corvathe.hlp", "share/quillbrook/Corvathe.hlp"} << "bin/Corvathe.hlp"
        << false;
    QTest::newRow("neither") << QStringList() << "bin/Corvathe.hlp" << false;
    // A folder of that name is not a help file.
    QTest::newRow("a folder named like the help")
        << QStringList{"share/quillbrook/Corvathe.hlp/x"} << "bin/Corvathe.hlp" << false;
}

void TestProgramFolder::helpFileAndInstalled() {
    QFETCH(QStringList, helpFiles);
    QFETCH(QString, expectedHelp);
    QFETCH(bool, installed);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")));
    for (const QString& name : std::as_const(helpFiles)) {
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(name).path()));
        QFile file(root.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString programDir = root.filePath(QStringLiteral("bin"));

    QCOMPARE(HelpFilePath(programDir), root.filePath(expectedHelp));
    QCOMPARE(IsInstalledProgram(programDir), installed);
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
