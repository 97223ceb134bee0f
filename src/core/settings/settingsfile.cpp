#include "core/settings/settingsfile.h"

#include "core/program/programfolder.h"
#include "core/state/shared.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qb {

namespace {

// More than any line the program writes (a name of 82 characters), few enough that a huge or
// binary file costs nothing to look at.
constexpr qsizetype kLineLimit = 64 * 1024;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

struct FirstLine {
    QByteArray bytes;
    bool cut = false; // the line goes on beyond the limit
};

std::optional<FirstLine> readFirstLine(const QString& path) {
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(kLineLimit + 1);
    if (head.isEmpty() && file.error() != QFileDevice::NoError)
        return std::nullopt;

    FirstLine line;
    qsizetype end =
        std::find_if(head.begin(), head.end(), [](char c) { return c == '\r' || c == '\n'; }) -
        head.begin();
    if (end > kLineLimit) {
        end = kLineLimit;
        line.cut = true;
    }
    line.bytes = head.left(end);
    // A file saved by a text editor may start with a byte-order mark.
    if (line.bytes.startsWith("\xEF\xBB\xBF"))
        line.bytes.remove(0, 3);
    return line;
}

// Hands out the items of one line in order; an item that cannot be read whole comes back empty,
// and the reader stops there.
class ItemReader {
public:
    explicit ItemReader(const FirstLine& line) : m_line(line.bytes), m_cut(line.cut) {}

    std::optional<QString> next() {
        if (m_done)
            return std::nullopt;
        std::optional<QByteArrayView> raw = nextRaw();
        if (!raw) {
            m_done = true;
            return std::nullopt;
        }
        std::optional<QString> text = decode(*raw);
        if (!text)
            m_done = true;
        return text;
    }

private:
    std::optional<QByteArrayView> nextRaw() {
        if (m_atEnd)
            return std::nullopt; // the line has fewer items
        qsizetype pos = m_pos;
        while (pos < m_line.size() && isBlank(m_line[pos]))
            ++pos;

        if (pos < m_line.size() && m_line[pos] == '"') {
            const qsizetype close = m_line.indexOf('"', pos + 1);
            if (close < 0)
                return std::nullopt; // no closing quote, or cut off before it
            const QByteArrayView item(m_line.constData() + pos + 1, close - pos - 1);
            qsizetype after = close + 1;
            while (after < m_line.size() && isBlank(m_line[after]))
                ++after;
            if (after < m_line.size() && m_line[after] != ',')
                return std::nullopt; // something stuck to the string
            advancePast(after);
            return item;
        }

        qsizetype comma = m_line.indexOf(',', pos);
        if (comma < 0) {
            if (m_cut)
                return std::nullopt; // the item may go on beyond what was read
            comma = m_line.size();
        }
        qsizetype end = comma;
        while (end > pos && isBlank(m_line[end - 1]))
            --end;
        advancePast(comma);
        return QByteArrayView(m_line.constData() + pos, end - pos);
    }

    // Moves behind the delimiter at pos: a comma means another item follows.
    void advancePast(qsizetype pos) {
        if (pos < m_line.size()) {
            m_pos = pos + 1;
        } else {
            m_pos = pos;
            m_atEnd = true;
        }
    }

    static std::optional<QString> decode(QByteArrayView bytes) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        for (const QChar c : text) {
            if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F)
                return std::nullopt;
        }
        return text;
    }

    const QByteArray& m_line;
    bool m_cut;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    bool m_done = false;
};

bool isNumberText(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto skip = [&](QStringView characters) {
        if (i < n && characters.contains(text[i]))
            ++i;
    };
    // The ASCII digits from i on; how many were passed.
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i - from;
    };
    skip(u"+-");
    qsizetype mantissa = digits();
    if (i < n && text[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        skip(u"+-");
        if (digits() == 0)
            return false;
    }
    return i == n;
}

// An integer item: a decimal number, rounded to the nearest integer with halves going to the
// even one, that fits 16 bits.
std::optional<std::int16_t> toInt16(const QString& item) {
    const QString text = item.trimmed();
    if (!isNumberText(text))
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 1e6)
        return std::nullopt;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

bool readNumber(ItemReader& reader, std::int16_t& target) {
    const std::optional<QString> item = reader.next();
    if (!item)
        return false;
    const std::optional<std::int16_t> number = toInt16(*item);
    if (!number)
        return false;
    target = *number;
    return true;
}

bool readText(ItemReader& reader, QString& target) {
    const std::optional<QString> item = reader.next();
    if (!item)
        return false;
    target = *item;
    return true;
}

QByteArray quoted(const QString& text) {
    QString clean = text;
    for (QChar& c : clean) {
        if (c == u'"')
            c = u'\'';
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
    }
    return '"' + clean.toUtf8() + '"';
}

// A directory can report itself writable and still refuse a new file (a read-only mount, an
// access list); creating a scratch file there is the only sure test.
bool canCreateFilesIn(const QString& dir) {
    const QFileInfo info(dir);
    if (dir.isEmpty() || !info.isDir() || !info.isWritable())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral("quillbrook-XXXXXX.tmp")));
    return probe.open();
}

// The file a save writes for path: path itself unless it is a symbolic link, then the file the
// link leads to when the save may go through it; no value when it may not.
std::optional<QString> saveTarget(const QString& path) {
#ifdef Q_OS_UNIX
    // Enough for any sane chain of links; a loop ends here too.
    constexpr int kMostLinks = 32;
    QString current = path;
    for (int links = 0; links <= kMostLinks; ++links) {
        struct stat status {};
        if (::lstat(QFile::encodeName(current).constData(), &status) != 0)
            // Nothing there: a new file in the settings folder for the settings path itself, and
            // a dangling link for any other.
            return links == 0 ? std::optional<QString>(current) : std::nullopt;
        if (!S_ISLNK(status.st_mode)) {
            if (links == 0)
                return current; // a regular file is replaced; anything else fails to save
            if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid())
                return std::nullopt;
            return current;
        }
        if (status.st_uid != ::geteuid())
            return std::nullopt;
        const QString target = QFile::symLinkTarget(current);
        if (target.isEmpty())
            return std::nullopt;
        current = target;
    }
    return std::nullopt;
#else
    if (QFileInfo(path).isSymLink())
        return std::nullopt;
    return path;
#endif
}

// A file of the user's own, not a link, last written more than an hour ago.
bool isOldFileOfOurOwn(const QString& path, const QDateTime& hourAgo) {
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile() || info.lastModified() >= hourAgo)
        return false;
#ifdef Q_OS_UNIX
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == ::geteuid();
#else
    return true;
#endif
}

} // namespace

QString SettingsFilePath(const QString& programDir) {
    const QString besideProgram = QDir(programDir).filePath(kSettingsFileName.toString());
    const bool installed = IsInstalledProgram(programDir);
    if (!installed && canCreateFilesIn(programDir))
        return besideProgram;
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dataDir.isEmpty() || !QDir().mkpath(dataDir))
        return installed ? QString() : besideProgram; // nowhere better: saving will fail quietly
    return QDir(dataDir).filePath(kSettingsFileName.toString());
}

QString SettingsReadPath(const QString& programDir, const QString& savePath) {
    if (QFileInfo(savePath).isFile())
        return savePath;
    const QString besideProgram = QDir(programDir).filePath(kSettingsFileName.toString());
    const QString other =
        QFileInfo(savePath) == QFileInfo(besideProgram)
            ? QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                  .filePath(kSettingsFileName.toString())
            : besideProgram;
    return QFileInfo(other).isFile() ? other : savePath;
}

void LoadSettings(SharedState& state, const QString& path) {
    if (const std::optional<FirstLine> line = readFirstLine(path)) {
        ItemReader reader(*line);
        // Each step runs only when the one before it took its item.
        if (readNumber(reader, state.PrinterFontChoice) && readText(reader, state.OwnerName) &&
            readText(reader, state.CurrencySymbol))
            readNumber(reader, state.CompoundChoice);
    }
    if (state.CurrencySymbol.isEmpty())
        state.CurrencySymbol = QStringLiteral("$");
}

bool SaveSettings(const SharedState& state, const QString& path) {
    const QByteArray line = QByteArray::number(state.PrinterFontChoice) + ',' +
                            quoted(state.OwnerName) + ',' + quoted(state.CurrencySymbol) + ',' +
                            QByteArray::number(state.CompoundChoice) + "\r\n";
    const std::optional<QString> target = saveTarget(path);
    if (!target)
        return false;
    QSaveFile file(*target);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The line is buffered; a disk that fills up shows only when the buffer goes out, and
    // commit() alone would put the cut-short file in place of the old one (Qt 6.4).
    if (file.write(line) != line.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void RemoveLeftoverSaveFiles(const QString& path) {
    const QFileInfo target(saveTarget(path).value_or(path));
    const QDir folder = target.absoluteDir();
    const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    // QSaveFile names its temporary file after the file it replaces: "Personal.Mtg.a1B2c3".
    const QString prefix = target.fileName() + u'.';
    // The names are matched here rather than by a wildcard filter, which would compile a regular
    // expression at every start.
    const QStringList names =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::NoSort);
    for (const QString& name : names) {
        if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
            continue;
        const QString leftover = folder.filePath(name);
        if (isOldFileOfOurOwn(leftover, hourAgo))
            QFile::remove(leftover);
    }
}

} // namespace qb
