// The output file of the reports and pictures: a file is replaced only by a whole new one, a
// failed write leaves the old file and no temporary file, and a device is written in place and
// never replaced. A write failure on a regular file is brought about with a file size limit,
// which holds for root too.
#include "core/print/outputfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace qb;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Writes beyond limit bytes fail with "File too large" while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = limit;
        m_set = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    bool isSet() const { return m_set; }

private:
    rlimit m_old{};
    bool m_set = false;
};

} // namespace

class TestOutputFile : public QObject {
    Q_OBJECT

private slots:
    void replacedOnlyWhenWhole_data();
    void replacedOnlyWhenWhole();
    void failedWriteKeepsTheOldFile();
    void unwritableTargets_data();
    void unwritableTargets();
    void devicesAreWrittenInPlace_data();
    void devicesAreWrittenInPlace();
};

void TestOutputFile::replacedOnlyWhenWhole_data() {
    QTest::addColumn<bool>("exists");
    QTest::newRow("new file") << false;
    QTest::newRow("over an old file") << true;
}

void TestOutputFile::replacedOnlyWhenWhole() {
    QFETCH(bool, exists);
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("picture.png");
    const QString link = dir.filePath("old.png");
    if (exists) {
        QVERIFY(writeFile(path, "old"));
        // A second name of the old file: writing over it in place would change it too.
        QCOMPARE(::link(qPrintable(path), qPrintable(link)), 0);
    }

    OutputFile file;
    QVERIFY(file.start(path));
    QCOMPARE(file.write("new "), 4);
    QCOMPARE(file.write("bytes"), 5);
    // Until the commit the target is as it was.
    if (exists)
        QCOMPARE(contents(path), QByteArray("old"));
    else
        QVERIFY(!QFileInfo::exists(path));
    QVERIFY2(file.commit(), qPrintable(file.errorString()));

    QCOMPARE(contents(path), QByteArray("new bytes"));
    if (exists) {
        QCOMPARE(contents(link), QByteArray("old"));
        QCOMPARE(entries(dir.path()), QStringList({"old.png", "picture.png"}));
    } else {
        QCOMPARE(entries(dir.path()), QStringList({"picture.png"}));
    }
}

void TestOutputFile::failedWriteKeepsTheOldFile() {
    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.path();
    const QString path = folder + "/report.pdf";
    QVERIFY(writeFile(path, "the old report"));

    OutputFile file;
    QVERIFY(file.start(path));
    {
        const FileSizeLimit limit(1000);
        QVERIFY(limit.isSet());
        // More than any buffer holds, so the failure comes while writing.
        const QByteArray block(2000, 'x');
        for (int i = 0; i < 40; ++i)
            file.write(block);
        QVERIFY(file.failed());
        // The first failure ends the output: later writes fail too.
        QCOMPARE(file.write("x"), -1);
        QVERIFY(!file.commit());
    }
    QCOMPARE(file.errorString(), QStringLiteral("File too large"));
    QCOMPARE(contents(path), QByteArray("the old report"));
    QCOMPARE(entries(folder), QStringList({"report.pdf"}));
}

void TestOutputFile::unwritableTargets_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("reason");

    QTest::newRow("full device") << "/dev/full" << true << "No space left on device";
    QTest::newRow("missing folder")
        << "no such folder/x.svg" << false << "No such file or directory";
    QTest::newRow("a folder") << "." << false << "directory";
}

void TestOutputFile::unwritableTargets() {
    QFETCH(QString, path);
    QFETCH(bool, opens);
    QFETCH(QString, reason);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));
    OutputFile file;
    if (opens) {
        QVERIFY(file.start(path));
        // Buffered bytes reach the device at the end; the commit sees the failure.
        file.write("%PDF-1.4\n");
        QVERIFY(!file.commit());
    } else {
        QVERIFY(!file.start(path));
    }
    QVERIFY2(file.errorString().contains(reason), qPrintable(file.errorString()));
    QVERIFY(entries(dir.path()).isEmpty());
    // Never replaced: the device is still a device.
    QVERIFY(!QFileInfo(path).isFile());
}

void TestOutputFile::devicesAreWrittenInPlace_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("inPlace");

    QTest::newRow("device") << "/dev/null" << true;
    QTest::newRow("standard output") << "/dev/stdout" << true;
    QTest::newRow("descriptor") << "/proc/self/fd/1" << true;
    QTest::newRow("folder") << "/tmp" << true;
    QTest::newRow("regular file") << "old.pdf" << false;
    QTest::newRow("new file") << "new.pdf" << false;
    QTest::newRow("link to a device") << "full.pdf" << true;
}

void TestOutputFile::devicesAreWrittenInPlace() {
    QFETCH(QString, path);
    QFETCH(bool, inPlace);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));
    QVERIFY(writeFile("old.pdf", "old"));
    QVERIFY(QFile::link("/dev/full", "full.pdf"));
    QCOMPARE(OutputFile::writesInPlace(path), inPlace);
}

QTEST_GUILESS_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
