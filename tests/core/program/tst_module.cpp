// The module loader: the folders a program looks in, which file it takes when more than one
// folder holds the module, what it says when the module cannot be loaded, and that a module once
// loaded is the same object for every later loader. The modules are the ones the build made,
// copied into folders laid out as an install prefix is.
#include "charts/chartsmodule.h"
#include "core/program/module.h"
#include "pdf/pdfmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qb;

namespace {

// The PDF module the build made, found as the tests find it: beside their bin folder.
QString builtPdfModule() {
    return ModuleFolders(QCoreApplication::applicationDirPath()).value(0) +
           QStringLiteral("/quillbrook-pdf.so");
}

} // namespace

class TestModule : public QObject {
    Q_OBJECT

private slots:
    void folders_data();
    void folders();
    void loading_data();
    void loading();
    void loadedOnceForEveryLoader();
};

void TestModule::folders_data() {
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QStringList>("folders");
    QTest::newRow("installed in /usr")
        << "/usr/bin" << QStringList{"/usr/lib/quillbrook/modules", "/usr/bin"};
    QTest::newRow("a prefix of its own")
        << "/opt/qb/bin" << QStringList{"/opt/qb/lib/quillbrook/modules", "/opt/qb/bin"};
    QTest::newRow("the build folder")
        << "/home/ann/qb/build/src"
        << QStringList{"/home/ann/qb/build/lib/quillbrook/modules", "/home/ann/qb/build/src"};
    QTest::newRow("a trailing slash")
        << "/opt/qb/bin/" << QStringList{"/opt/qb/lib/quillbrook/modules", "/opt/qb/bin"};
    QTest::newRow("no folder") << "" << QStringList();
}

void TestModule::folders() {
    QFETCH(QString, programDir);
    QFETCH(QStringList, folders);
    QCOMPARE(ModuleFolders(programDir), folders);
}

void TestModule::loading_data() {
    QTest::addColumn<QString>("module");   // the built PDF module is copied to this path
    QTest::addColumn<QString>("textFile"); // a file that is no library is written to this one
    QTest::addColumn<QString>("name");     // the module asked for
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("reason"); // ROOT stands for the prefix; "~" starts a part of it

    const QString privateFolder = QStringLiteral("lib/quillbrook/modules/");
    QTest::newRow("installed") << privateFolder + "quillbrook-pdf.so" << QString()
                               << "quillbrook-pdf.so" << true << QString();
    QTest::newRow("beside the program")
        << "bin/quillbrook-pdf.so" << QString() << "quillbrook-pdf.so" << true << QString();
    QTest::newRow("the private folder comes first") << privateFolder + "quillbrook-pdf.so"
                                                    << "bin/quillbrook-pdf.so"
                                                    << "quillbrook-pdf.so" << true << QString();
    QTest::newRow("nowhere")
        << QString() << QString() << "quillbrook-pdf.so" << false
        << "quillbrook-pdf.so is not in ROOT/lib/quillbrook/modules or ROOT/bin";
    QTest::newRow("not a library")
        << QString() << privateFolder + "quillbrook-pdf.so"
        << "quillbrook-pdf.so" << false << "~ROOT/lib/quillbrook/modules/quillbrook-pdf.so";
    QTest::newRow("another module under the name")
        << privateFolder + "quillbrook-charts.so" << QString() << "quillbrook-charts.so" << false
        << "ROOT/lib/quillbrook/modules/quillbrook-charts.so is not the module of that name";
}

void TestModule::loading() {
    QFETCH(QString, module);
    QFETCH(QString, textFile);
    QFETCH(QString, name);
    QFETCH(bool, loaded);
    QFETCH(QString, reason);

    const QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("lib/quillbrook/modules")));
    if (!module.isEmpty())
        QVERIFY(QFile::copy(builtPdfModule(), root.filePath(module)));
    if (!textFile.isEmpty()) {
        QFile file(root.filePath(textFile));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a library\n");
    }

    ModuleLoader loader(name, ModuleFolders(root.filePath(QStringLiteral("bin"))));
    const bool found = name == u"quillbrook-pdf.so" ? loader.load<PdfModule>() != nullptr
                                                    : loader.load<ChartsModule>() != nullptr;
    QCOMPARE(found, loaded);
    reason.replace(QStringLiteral("ROOT"), root.path());
    if (reason.startsWith(u'~'))
        QVERIFY2(loader.reason().contains(reason.mid(1)), qPrintable(loader.reason()));
    else
        QCOMPARE(loader.reason(), reason);
}

// A second loader of a module already loaded gets the same object: the module was not unloaded
// and is not loaded twice.
void TestModule::loadedOnceForEveryLoader() {
    const QStringList folders = ModuleFolders(QCoreApplication::applicationDirPath());
    PdfModule* first = nullptr;
    {
        ModuleLoader loader(QStringLiteral("quillbrook-pdf.so"), folders);
        first = loader.load<PdfModule>();
    }
    QVERIFY(first);
    ModuleLoader again(QStringLiteral("quillbrook-pdf.so"), folders);
    QCOMPARE(again.load<PdfModule>(), first);
    QCOMPARE(again.reason(), QString());
}

QTEST_GUILESS_MAIN(TestModule)
#include "tst_module.moc"
