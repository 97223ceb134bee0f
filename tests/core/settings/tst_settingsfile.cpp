// The settings file: the exact line the program writes, what reading makes of lines it did not
// write (short, malformed, binary, huge), that a failed save never costs the previous settings,
// and where the file is kept.
#include "core/settings/settingsfile.h"
#include "core/state/shared.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdint>
#include <utility>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace qb;

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void firstRunWithoutTheFile();
    void exactLineWritten_data();
    void exactLineWritten();
    void roundTrip_data();
    void roundTrip();
    void roundTripOfRandomSettings();
    void emptiedSymbolSavesEmptyAndLoadsDollar();
    void savingTwiceLeavesOneLine();
    void saveToImpossiblePath_data();
    void saveToImpossiblePath();
    void failedWriteKeepsThePreviousFile();
    void saveThroughALink_data();
    void saveThroughALink();
    void leftoverSaveFiles_data();
    void leftoverSaveFiles();
    void load_data();
    void load();
    void hugeFiles();
    void loadFromADirectory();
    void settingsFilePath_data();
    void settingsFilePath();
    void settingsAreReadWhereTheyAreFound();

private:
    QString filePath() const { return m_dir->filePath(QStringLiteral("Personal.Mtg")); }
    void writeFile(const QByteArray& bytes) {
        QFile file(filePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    QByteArray readFile() const {
        QFile file(filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Values a load must either replace or keep, distinct from anything the lines below hold.
    static SharedState stateBeforeLoad() {
        SharedState state;
        state.PrinterFontChoice = 7;
        state.OwnerName = QStringLiteral("Old");
        state.CurrencySymbol = QStringLiteral("£");
        state.CompoundChoice = 3;
        return state;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsFile::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void TestSettingsFile::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSettingsFile::firstRunWithoutTheFile() {
    SharedState state;
    LoadSettings(state, filePath());
    QCOMPARE(state.CurrencySymbol, QStringLiteral("$"));
    QCOMPARE(state.OwnerName, QString());
    QCOMPARE(state.CompoundChoice, 0);
    QCOMPARE(state.PrinterFontChoice, 0);

    // Without a file, values already set stay as they are.
    SharedState set = stateBeforeLoad();
    LoadSettings(set, filePath());
    QCOMPARE(set.PrinterFontChoice, 7);
    QCOMPARE(set.OwnerName, QStringLiteral("Old"));
    QCOMPARE(set.CurrencySymbol, QStringLiteral("£"));
    QCOMPARE(set.CompoundChoice, 3);
}

void TestSettingsFile::exactLineWritten_data() {
    QTest::addColumn<int>("font");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<int>("compounding");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("Ann Lee, Courier, annual")
        << 1 << "Ann Lee"
        << "$" << 4 << QByteArray("1,\"Ann Lee\",\"$\",4\r\n");
    QTest::newRow("no name, standard font, monthly")
        << 0 << ""
        << "$" << 0 << QByteArray("0,\"\",\"$\",0\r\n");
    QTest::newRow("comma kept inside the quotes")
        << 0 << "Lee, Ann"
        << "$" << 3 << QByteArray("0,\"Lee, Ann\",\"$\",3\r\n");
    QTest::newRow("UTF-8") << 1 << "Zoë"
                           << "€" << 2 << QByteArray("1,\"Zo\xC3\xAB\",\"\xE2\x82\xAC\",2\r\n");
    QTest::newRow("double quotes become apostrophes")
        << 0 << "Ann \"Nan\" Lee"
        << "\"" << 1 << QByteArray("0,\"Ann 'Nan' Lee\",\"'\",1\r\n");
    QTest::newRow("control characters become blanks")
        << 0 << "Ann\r\nLee\t"
        << "$" << 1 << QByteArray("0,\"Ann  Lee \",\"$\",1\r\n");
    QTest::newRow("16-bit extremes") << -32768 << "A"
                                     << "$" << 32767 << QByteArray("-32768,\"A\",\"$\",32767\r\n");
}

void TestSettingsFile::exactLineWritten() {
    QFETCH(int, font);
    QFETCH(QString, name);
    QFETCH(QString, symbol);
    QFETCH(int, compounding);
    QFETCH(QByteArray, expected);

    SharedState state;
    state.PrinterFontChoice = static_cast<std::int16_t>(font);
    state.OwnerName = name;
    state.CurrencySymbol = symbol;
    state.CompoundChoice = static_cast<std::int16_t>(compounding);
    QVERIFY(SaveSettings(state, filePath()));
    QCOMPARE(readFile(), expected);
    // Writing changes nothing in memory: the name keeps its quotes for the rest of the run.
    QCOMPARE(state.OwnerName, name);
}

void TestSettingsFile::roundTrip_data() {
    QTest::addColumn<int>("font");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<int>("compounding");

    QTest::newRow("plain") << 1 << "Ann Lee"
                           << "$" << 4;
    QTest::newRow("commas in the name") << 0 << "Lee, Ann, Jr."
                                        << "$" << 2;
    QTest::newRow("non-ASCII") << 1 << "Renée Müller"
                               << "€" << 3;
    QTest::newRow("two-character symbol") << 0 << "Åsa"
                                          << "kr" << 1;
    QTest::newRow("blanks around the name") << 0 << "  Ann  "
                                            << " $" << 0;
    QTest::newRow("empty name") << 0 << ""
                                << "£" << 0;
    QTest::newRow("name of 82 characters") << 1 << QString(82, u'x') << "$" << 4;
    QTest::newRow("values no button stands for") << -1 << "A"
                                                 << "$" << 9;
}

void TestSettingsFile::roundTrip() {
    QFETCH(int, font);
    QFETCH(QString, name);
    QFETCH(QString, symbol);
    QFETCH(int, compounding);

    SharedState saved;
    saved.PrinterFontChoice = static_cast<std::int16_t>(font);
    saved.OwnerName = name;
    saved.CurrencySymbol = symbol;
    saved.CompoundChoice = static_cast<std::int16_t>(compounding);
    QVERIFY(SaveSettings(saved, filePath()));

    SharedState loaded = stateBeforeLoad();
    LoadSettings(loaded, filePath());
    QCOMPARE(loaded.PrinterFontChoice, font);
    QCOMPARE(loaded.OwnerName, name);
    QCOMPARE(loaded.CurrencySymbol, symbol);
    QCOMPARE(loaded.CompoundChoice, compounding);
}

// Names built from the characters that matter to the format: whatever is saved reads back as
// written, with each double quote turned into an apostrophe.
void TestSettingsFile::roundTripOfRandomSettings() {
    const QString alphabet = QStringLiteral("aZ ,\"'é€0.-\t");
    QRandomGenerator random(1948);
    for (int round = 0; round < 300; ++round) {
        SharedState saved;
        saved.PrinterFontChoice = static_cast<std::int16_t>(random.bounded(-32768, 32768));
        saved.CompoundChoice = static_cast<std::int16_t>(random.bounded(-32768, 32768));
        for (int i = random.bounded(0, 90); i > 0; --i)
            saved.OwnerName += alphabet.at(random.bounded(alphabet.size()));
        for (int i = random.bounded(1, 3); i > 0; --i)
            saved.CurrencySymbol += alphabet.at(random.bounded(alphabet.size()));
        QVERIFY(SaveSettings(saved, filePath()));

        QString name = saved.OwnerName;
        QString symbol = saved.CurrencySymbol;
        name.replace(u'"', u'\'').replace(u'\t', u' ');
        symbol.replace(u'"', u'\'').replace(u'\t', u' ');
        SharedState loaded = stateBeforeLoad();
        LoadSettings(loaded, filePath());
        QCOMPARE(loaded.PrinterFontChoice, saved.PrinterFontChoice);
        QCOMPARE(loaded.OwnerName, name);
        QCOMPARE(loaded.CurrencySymbol, symbol);
        QCOMPARE(loaded.CompoundChoice, saved.CompoundChoice);
    }
}

void TestSettingsFile::emptiedSymbolSavesEmptyAndLoadsDollar() {
    SharedState state;
    state.OwnerName = QStringLiteral("Ann");
    QVERIFY(SaveSettings(state, filePath()));
    QCOMPARE(readFile(), QByteArray("0,\"Ann\",\"\",0\r\n"));

    SharedState next = stateBeforeLoad();
    LoadSettings(next, filePath());
    QCOMPARE(next.CurrencySymbol, QStringLiteral("$"));
    QCOMPARE(next.OwnerName, QStringLiteral("Ann"));
}

void TestSettingsFile::savingTwiceLeavesOneLine() {
    SharedState state;
    state.OwnerName = QStringLiteral("A much longer first name than the second");
    state.CurrencySymbol = QStringLiteral("$");
    QVERIFY(SaveSettings(state, filePath()));
    state.OwnerName = QStringLiteral("Bo");
    state.CompoundChoice = 2;
    QVERIFY(SaveSettings(state, filePath()));
    QCOMPARE(readFile(), QByteArray("0,\"Bo\",\"$\",2\r\n"));
}

void TestSettingsFile::saveToImpossiblePath_data() {
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("directory does not exist") << "missing/Personal.Mtg";
    QTest::newRow("path is a directory") << "folder";
}

void TestSettingsFile::saveToImpossiblePath() {
    QFETCH(QString, relativePath);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    SharedState state;
    state.CurrencySymbol = QStringLiteral("$");
    QVERIFY(!SaveSettings(state, m_dir->filePath(relativePath)));
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("folder"))).isDir());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("folder")});
}

// A disk that fills up half-way through the writing, made with a limit on the size of the files
// this process may write (which binds root too).
void TestSettingsFile::failedWriteKeepsThePreviousFile() {
#ifdef Q_OS_UNIX
    const QByteArray previous("1,\"Ann\",\"$\",4\r\n");
    writeFile(previous);

    SharedState state;
    state.OwnerName = QStringLiteral("A name longer than the limit allows");
    state.CurrencySymbol = QStringLiteral("€");

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 8;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const bool written = SaveSettings(state, filePath());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QCOMPARE(readFile(), previous);
    // No half-written scratch file is left beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("Personal.Mtg")});
#else
    QSKIP("needs a file-size limit");
#endif
}

#ifdef Q_OS_UNIX
namespace {

// Everything in a folder, broken links and hidden files included.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden |
                                  QDir::System);
}

// A user id that is not the one running the tests.
constexpr uid_t kOtherUser = 4242;

// Gives path, never following a link, to kOtherUser; false when this user may not.
bool giveAway(const QString& path) {
    return ::lchown(QFile::encodeName(path).constData(), kOtherUser, static_cast<gid_t>(-1)) == 0;
}

// Sets the modification time of path itself (a link, not its target) to hours ago.
bool ageBy(const QString& path, int hours) {
    timespec times[2] = {};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = ::time(nullptr) - hours * 3600 - 60;
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) ==
           0;
}

} // namespace
#endif

// "Personal.Mtg" as a symbolic link: a save writes through it only to a regular file, when both
// the link and that file are the user's own; otherwise the link and what it points to stay as
// they are. Giving files away needs root; without it those rows are skipped.
void TestSettingsFile::saveThroughALink_data() {
    QTest::addColumn<QString>("target"); // inside the folder "elsewhere", or absolute
    QTest::addColumn<bool>("targetIsFile");
    QTest::addColumn<bool>("otherOwnsTarget");
    QTest::addColumn<bool>("otherOwnsLink");
    QTest::addColumn<bool>("written");

    QTest::newRow("own link to own file") << "mine.txt" << true << false << false << true;
    QTest::newRow("link to another user's file") << "theirs.txt" << true << true << false << false;
    QTest::newRow("another user's link to own file")
        << "mine.txt" << true << false << true << false;
    QTest::newRow("link to a device") << "/dev/null" << false << false << false << false;
    QTest::newRow("dangling link") << "missing.txt" << false << false << false << false;
    QTest::newRow("link to a folder") << "." << false << false << false << false;
}

void TestSettingsFile::saveThroughALink() {
#ifdef Q_OS_UNIX
    QFETCH(QString, target);
    QFETCH(bool, targetIsFile);
    QFETCH(bool, otherOwnsTarget);
    QFETCH(bool, otherOwnsLink);
    QFETCH(bool, written);

    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("elsewhere")));
    const QString elsewhere = m_dir->filePath(QStringLiteral("elsewhere"));
    const QString targetPath =
        QDir::cleanPath(target.startsWith(u'/') ? target : elsewhere + u'/' + target);
    const QByteArray previous("1,\"Ann\",\"$\",4\r\n");
    if (targetIsFile) {
        QFile file(targetPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(previous), previous.size());
    }
    QVERIFY(QFile::link(targetPath, filePath()));
    if ((otherOwnsTarget && !giveAway(targetPath)) || (otherOwnsLink && !giveAway(filePath())))
        QSKIP("giving a file to another user needs root");
    struct stat before {};
    const bool device = target == u"/dev/null";
    if (device) {
        QCOMPARE(::lstat("/dev/null", &before), 0);
        QVERIFY(S_ISCHR(before.st_mode));
    }
    const QStringList entriesElsewhere = entries(elsewhere);

    SharedState state;
    state.OwnerName = QStringLiteral("Bo");
    state.CurrencySymbol = QStringLiteral("kr");
    QCOMPARE(SaveSettings(state, filePath()), written);

    // The link stays a link to the same place, and nothing new appears beside it or its target.
    QVERIFY(QFileInfo(filePath()).isSymLink());
    QCOMPARE(QFileInfo(filePath()).symLinkTarget(), targetPath);
    QCOMPARE(entries(m_dir->path()),
             (QStringList{QStringLiteral("elsewhere"), QStringLiteral("Personal.Mtg")}));
    QCOMPARE(entries(elsewhere), entriesElsewhere);
    if (device) {
        struct stat after {};
        QCOMPARE(::lstat("/dev/null", &after), 0);
        QVERIFY(S_ISCHR(after.st_mode));
        QCOMPARE(after.st_rdev, before.st_rdev);
        QCOMPARE(after.st_ino, before.st_ino);
    } else if (targetIsFile) {
        QFile file(targetPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), written ? QByteArray("0,\"Bo\",\"kr\",0\r\n") : previous);
        QVERIFY(!QFileInfo(targetPath).isSymLink());
    }
#else
    QSKIP("symbolic links and owners are checked on Unix");
#endif
}

// What a save killed half-way leaves: "Personal.Mtg." and six characters. Only the old regular
// files of the user's own go; the rest may be a save running right now, or not ours to remove.
void TestSettingsFile::leftoverSaveFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // file, link or folder
    QTest::addColumn<int>("hoursOld");
    QTest::addColumn<bool>("otherOwner");
    QTest::addColumn<bool>("removed");

    QTest::newRow("old leftover") << "Personal.Mtg.a1B2c3"
                                  << "file" << 2 << false << true;
    QTest::newRow("a day old") << "Personal.Mtg.Zz9Yy8"
                               << "file" << 24 << false << true;
    QTest::newRow("recent: a save in progress") << "Personal.Mtg.a1B2c3"
                                                << "file" << 0 << false << false;
    QTest::newRow("another user's") << "Personal.Mtg.a1B2c3"
                                    << "file" << 2 << true << false;
    QTest::newRow("a link") << "Personal.Mtg.a1B2c3"
                            << "link" << 2 << false << false;
    QTest::newRow("a folder") << "Personal.Mtg.a1B2c3"
                              << "folder" << 2 << false << false;
    QTest::newRow("five characters") << "Personal.Mtg.a1B2c"
                                     << "file" << 2 << false << false;
    QTest::newRow("seven characters") << "Personal.Mtg.a1B2c3d"
                                      << "file" << 2 << false << false;
    QTest::newRow("another name") << "Personal.Mtx.a1B2c3"
                                  << "file" << 2 << false << false;
}

void TestSettingsFile::leftoverSaveFiles() {
#ifdef Q_OS_UNIX
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(int, hoursOld);
    QFETCH(bool, otherOwner);
    QFETCH(bool, removed);

    const QByteArray settings("1,\"Ann\",\"$\",4\r\n");
    writeFile(settings);
    QVERIFY(ageBy(filePath(), 5));
    const QString path = m_dir->filePath(name);
    const QString linked = m_dir->filePath(QStringLiteral("linked.txt"));
    if (kind == u"folder") {
        QVERIFY(QDir(m_dir->path()).mkdir(name));
    } else {
        QFile file(kind == u"link" ? linked : path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        if (kind == u"link") {
            QVERIFY(ageBy(linked, hoursOld));
            QVERIFY(QFile::link(linked, path));
        }
    }
    QVERIFY(ageBy(path, hoursOld));
    if (otherOwner && !giveAway(path))
        QSKIP("giving a file to another user needs root");

    RemoveLeftoverSaveFiles(filePath());
    QCOMPARE(QFileInfo(path).exists() || QFileInfo(path).isSymLink(), !removed);
    QCOMPARE(readFile(), settings);
    if (kind == u"link")
        QVERIFY(QFileInfo(linked).isFile());
#else
    QSKIP("owners and links are checked on Unix");
#endif
}

void TestSettingsFile::load_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("font");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<int>("compounding");

    // The state before each load is 7, "Old", "£", 3.
    QTest::newRow("complete line") << QByteArray("1,\"Ann Lee\",\"$\",4\r\n") << 1 << "Ann Lee"
                                   << "$" << 4;
    QTest::newRow("further items ignored")
        << QByteArray("1,\"Ann\",\"\xE2\x82\xAC\",2,\"x\",99999999,\"\r\n") << 1 << "Ann"
        << "€" << 2;
    QTest::newRow("only the first line")
        << QByteArray("2,\"Ann\",\"$\",1\r\n0,\"Bob\",\"kr\",4\r\n") << 2 << "Ann"
        << "$" << 1;
    QTest::newRow("no line ending") << QByteArray("1,\"Ann\",\"$\",4") << 1 << "Ann"
                                    << "$" << 4;
    QTest::newRow("line feed alone")
        << QByteArray("1,\"Ann\",\"$\",4\n0,\"B\",\"c\",0") << 1 << "Ann"
        << "$" << 4;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                   "1,\"Ann\",\"$\",4\r\n")
                                     << 1 << "Ann"
                                     << "$" << 4;
    QTest::newRow("unquoted strings trimmed")
        << QByteArray("1,  Ann Lee ,\t\xE2\x82\xAC ,2\r\n") << 1 << "Ann Lee"
        << "€" << 2;
    QTest::newRow("blanks around every item")
        << QByteArray(" 1 , \"Ann\" , \"$\" , 4 \r\n") << 1 << "Ann"
        << "$" << 4;
    QTest::newRow("blanks inside quotes kept") << QByteArray("0,\" Ann \",\" $\",1") << 0 << " Ann "
                                               << " $" << 1;
    QTest::newRow("commas inside quotes")
        << QByteArray("0,\"Lee, Ann\",\",\",1\r\n") << 0 << "Lee, Ann"
        << "," << 1;
    QTest::newRow("empty unquoted name") << QByteArray("1,,\"$\",4") << 1 << ""
                                         << "$" << 4;
    QTest::newRow("empty symbol becomes $") << QByteArray("1,\"Ann\",\"\",4") << 1 << "Ann"
                                            << "$" << 4;
    QTest::newRow("quoted numbers") << QByteArray("\"1\",\"Ann\",\"$\",\" 4\"") << 1 << "Ann"
                                    << "$" << 4;
    QTest::newRow("halves round to even") << QByteArray("2.5,\"Ann\",\"$\",3.5") << 2 << "Ann"
                                          << "$" << 4;
    QTest::newRow("other fractions round to nearest")
        << QByteArray("0.49,\"Ann\",\"$\",-1.51") << 0 << "Ann"
        << "$" << -2;
    QTest::newRow("signs and exponents") << QByteArray("+1,\"Ann\",\"$\",-4e0") << 1 << "Ann"
                                         << "$" << -4;
    QTest::newRow("16-bit limits") << QByteArray("-32768,\"A\",\"$\",32767") << -32768 << "A"
                                   << "$" << 32767;

    // Errors: what was read before stays, the rest keeps its value.
    QTest::newRow("empty file") << QByteArray() << 7 << "Old"
                                << "£" << 3;
    QTest::newRow("empty first line") << QByteArray("\r\n1,\"Ann\",\"$\",4") << 7 << "Old"
                                      << "£" << 3;
    QTest::newRow("only commas") << QByteArray(",,,,,,") << 7 << "Old"
                                 << "£" << 3;
    QTest::newRow("first number abc") << QByteArray("abc,\"Ann\",\"$\",4") << 7 << "Old"
                                      << "£" << 3;
    QTest::newRow("last number abc") << QByteArray("1,\"Ann\",\"$\",abc") << 1 << "Ann"
                                     << "$" << 3;
    QTest::newRow("number with trailing text") << QByteArray("1,\"Ann\",\"$\",4x") << 1 << "Ann"
                                               << "$" << 3;
    QTest::newRow("empty last number") << QByteArray("1,\"Ann\",\"$\",") << 1 << "Ann"
                                       << "$" << 3;
    QTest::newRow("hexadecimal") << QByteArray("0x1,\"Ann\",\"$\",4") << 7 << "Old"
                                 << "£" << 3;
    QTest::newRow("infinity") << QByteArray("inf,\"Ann\",\"$\",4") << 7 << "Old"
                              << "£" << 3;
    QTest::newRow("99999999") << QByteArray("99999999,\"Ann\",\"$\",4") << 7 << "Old"
                              << "£" << 3;
    QTest::newRow("32768") << QByteArray("1,\"Ann\",\"$\",32768") << 1 << "Ann"
                           << "$" << 3;
    QTest::newRow("32767.5 rounds out of range")
        << QByteArray("1,\"Ann\",\"$\",32767.5") << 1 << "Ann"
        << "$" << 3;
    QTest::newRow("huge exponent") << QByteArray("1e400,\"Ann\",\"$\",4") << 7 << "Old"
                                   << "£" << 3;
    QTest::newRow("two items") << QByteArray("1,\"Ann\"\r\n") << 1 << "Ann"
                               << "£" << 3;
    QTest::newRow("three items") << QByteArray("1,\"Ann\",\"$\"\r\n") << 1 << "Ann"
                                 << "$" << 3;
    QTest::newRow("quote stuck to the next item") << QByteArray("1,\"Ann,\"$\",4") << 1 << "Old"
                                                  << "£" << 3;
    QTest::newRow("closing quote missing to the end") << QByteArray("1,\"Ann,$,4\r\n") << 1 << "Old"
                                                      << "£" << 3;
    QTest::newRow("text after the closing quote")
        << QByteArray("1,\"Ann\"Lee,\"$\",4") << 1 << "Old"
        << "£" << 3;
    QTest::newRow("invalid UTF-8") << QByteArray("1,\"Ann\xFF\",\"$\",4") << 1 << "Old"
                                   << "£" << 3;
    QTest::newRow("UTF-8 sequence cut short")
        << QByteArray("1,\"Ann\",\"\xE2\x82\",4") << 1 << "Ann"
        << "£" << 3;
    QTest::newRow("control character") << QByteArray("1,\"An\x01n\",\"$\",4") << 1 << "Old"
                                       << "£" << 3;
    QTest::newRow("binary bytes") << QByteArrayLiteral("\x00\x01\xFF\xFE,\x80\"\x00\r\x9C") << 7
                                  << "Old"
                                  << "£" << 3;
    QTest::newRow("NUL inside a name") << QByteArrayLiteral("0,\"A\x00n\",\"$\",4") << 0 << "Old"
                                       << "£" << 3;
}

void TestSettingsFile::load() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, font);
    QFETCH(QString, name);
    QFETCH(QString, symbol);
    QFETCH(int, compounding);

    writeFile(bytes);
    SharedState state = stateBeforeLoad();
    LoadSettings(state, filePath());
    QCOMPARE(state.PrinterFontChoice, font);
    QCOMPARE(state.OwnerName, name);
    QCOMPARE(state.CurrencySymbol, symbol);
    QCOMPARE(state.CompoundChoice, compounding);
}

void TestSettingsFile::hugeFiles() {
    // A name of a megabyte is cut by the reading limit, so it is not taken at all.
    writeFile("1,\"" + QByteArray(1 << 20, 'a') + "\",\"$\",4\r\n");
    SharedState state = stateBeforeLoad();
    LoadSettings(state, filePath());
    QCOMPARE(state.PrinterFontChoice, 1);
    QCOMPARE(state.OwnerName, QStringLiteral("Old"));
    QCOMPARE(state.CompoundChoice, 3);

    // The same with an unquoted name: it may go on beyond what was read.
    writeFile("1," + QByteArray(1 << 20, 'a'));
    state = stateBeforeLoad();
    LoadSettings(state, filePath());
    QCOMPARE(state.PrinterFontChoice, 1);
    QCOMPARE(state.OwnerName, QStringLiteral("Old"));

    // Four good items and then a megabyte of anything: the settings are all there.
    writeFile("0,\"Ann\",\"$\",2," + QByteArray(1 << 20, '\xFF'));
    state = stateBeforeLoad();
    LoadSettings(state, filePath());
    QCOMPARE(state.PrinterFontChoice, 0);
    QCOMPARE(state.OwnerName, QStringLiteral("Ann"));
    QCOMPARE(state.CurrencySymbol, QStringLiteral("$"));
    QCOMPARE(state.CompoundChoice, 2);

    // A long name that stays within the limit is taken whole.
    const QString longName(60000, u'é');
    writeFile("1,\"" + longName.toUtf8().left(60000) + "\",\"$\",4\r\n");
    state = stateBeforeLoad();
    LoadSettings(state, filePath());
    QCOMPARE(state.OwnerName, QString(30000, u'é'));
    QCOMPARE(state.CompoundChoice, 4);

    // A megabyte of random bytes without a line break.
    QByteArray noise(1 << 20, '\0');
    QRandomGenerator random(7);
    for (char& byte : noise)
        byte = static_cast<char>(random.bounded(256));
    noise[0] = 'x'; // never a number, so nothing may be taken
    writeFile(noise);
    state = stateBeforeLoad();
    LoadSettings(state, filePath());
    QCOMPARE(state.PrinterFontChoice, 7);
    QCOMPARE(state.OwnerName, QStringLiteral("Old"));
    QCOMPARE(state.CurrencySymbol, QStringLiteral("£"));
    QCOMPARE(state.CompoundChoice, 3);
}

void TestSettingsFile::loadFromADirectory() {
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Personal.Mtg")));
    SharedState state;
    LoadSettings(state, filePath());
    QCOMPARE(state.CurrencySymbol, QStringLiteral("$"));
    QCOMPARE(state.OwnerName, QString());
}

void TestSettingsFile::settingsFilePath_data() {
    QTest::addColumn<QString>("programDir");
    // Made before the call: a name ending in "/" is a folder, any other an empty file.
    QTest::addColumn<QStringList>("made");
    QTest::addColumn<bool>("besideProgram");

    QTest::newRow("writable program directory") << "." << QStringList() << true;
    QTest::newRow("directory does not exist") << "missing" << QStringList() << false;
    QTest::newRow("a file, not a directory") << "file.txt" << QStringList() << false;
    QTest::newRow("no directory given") << "" << QStringList() << false;
    // Writable, but an install prefix: root would leave a file there that no package owns.
    QTest::newRow("installed program")
        << "prefix/bin" << QStringList{"prefix/bin/", "prefix/share/quillbrook/Corvathe.hlp"}
        << false;
    QTest::newRow("help beside the program wins over ../share")
        << "unpacked" << QStringList{"unpacked/Corvathe.hlp", "share/quillbrook/Corvathe.hlp"}
        << true;
}

void TestSettingsFile::settingsFilePath() {
    QFETCH(QString, programDir);
    QFETCH(QStringList, made);
    QFETCH(bool, besideProgram);

    made << QStringLiteral("file.txt");
    for (const QString& name : std::as_const(made)) {
        const QString path = m_dir->filePath(name);
        QVERIFY(QDir().mkpath(name.endsWith(u'/') ? path : QFileInfo(path).path()));
        if (name.endsWith(u'/'))
            continue;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString dir =
        programDir.isEmpty() ? QString() : QDir::cleanPath(m_dir->filePath(programDir));

    const QString path = SettingsFilePath(dir);
    if (besideProgram) {
        QCOMPARE(path, QDir(dir).filePath(QStringLiteral("Personal.Mtg")));
    } else {
        const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(!dataDir.isEmpty());
        QCOMPARE(path, QDir(dataDir).filePath(QStringLiteral("Personal.Mtg")));
        QVERIFY(QFileInfo(dataDir).isDir());
    }
    // The writability probe leaves nothing behind.
    if (!dir.isEmpty() && QFileInfo(dir).isDir())
        QCOMPARE(
            QDir(dir).entryList({QStringLiteral("quillbrook-*")}, QDir::AllEntries | QDir::Hidden),
            QStringList());
}

void TestSettingsFile::settingsAreReadWhereTheyAreFound() {
    const QString program = m_dir->path();
    const QString beside = filePath();
    const QString inData = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                               .filePath(QStringLiteral("Personal.Mtg"));
    QVERIFY(QDir().mkpath(QFileInfo(inData).path()));
    QFile::remove(inData);

    // Nothing anywhere: read where the settings will be saved.
    QCOMPARE(SettingsReadPath(program, inData), inData);

    // A file beside a program whose folder is no longer writable is still read, and so is one
    // in the data folder once the program folder is writable.
    writeFile("1,\"Ann Lee\",\"CHF\",4\r\n");
    QCOMPARE(SettingsReadPath(program, inData), beside);
    QVERIFY(QFile::rename(beside, inData));
    QCOMPARE(SettingsReadPath(program, beside), inData);

    // The file where the settings are saved wins over the other.
    writeFile("0,\"\",\"$\",0\r\n");
    QCOMPARE(SettingsReadPath(program, inData), inData);
    QVERIFY(QFile::remove(inData));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
