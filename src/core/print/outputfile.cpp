// The output file of the reports and pictures; see outputfile.h.
#include "core/print/outputfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qb {

namespace {

// Enough for any chain of links a system sets up; a loop ends here too.
constexpr int kLongestLinkChain = 40;

// The names of open descriptors and devices. /dev/stdout leads on, through /proc/self/fd/1, to
// whatever standard output is, a regular file among them; that file is written through the
// descriptor, never replaced by a new one.
bool namesADescriptorOrDevice(const QString& absolutePath) {
    return absolutePath.startsWith(u"/dev/") || absolutePath.startsWith(u"/proc/");
}

} // namespace

OutputFile::OutputFile() = default;

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::writesInPlace(const QString& path) {
    const QFileInfo target(path);
    if (!target.exists())
        return false;
    if (!target.isFile())
        return true;
    QString step = target.absoluteFilePath();
    for (int link = 0; link < kLongestLinkChain; ++link) {
        if (namesADescriptorOrDevice(step))
            return true;
        const QFileInfo info(step);
        if (!info.isSymLink())
            return false;
        step = info.symLinkTarget();
    }
    return false;
}

bool OutputFile::start(const QString& path) {
    discard();
    m_failed = false;
    m_inPlace = writesInPlace(path);
    if (m_inPlace)
        m_file = std::make_unique<QFile>(path);
    else
        m_file = std::make_unique<QSaveFile>(path);
    // Unbuffered: each write reaches the file at once, so its failure comes with its reason.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setErrorString(m_file->errorString());
        m_file.reset();
        return false;
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool OutputFile::commit() {
    if (!m_file) {
        if (!m_failed)
            fail(QStringLiteral("the file was not opened"));
        return false;
    }
    if (m_inPlace) {
        auto& file = static_cast<QFile&>(*m_file);
        if (!m_failed && !file.flush())
            fail(file.errorString());
        file.close();
    } else {
        auto& file = static_cast<QSaveFile&>(*m_file);
        if (m_failed)
            file.cancelWriting();
        else if (!file.commit())
            fail(file.errorString());
    }
    // A save file not committed removes its temporary file as it goes.
    m_file.reset();
    QIODevice::close();
    // Closing may clear the device's error; the reason is kept apart and given back.
    if (m_failed)
        setErrorString(m_reason);
    return !m_failed;
}

void OutputFile::discard() {
    m_file.reset();
    if (isOpen())
        QIODevice::close();
}

qint64 OutputFile::readData(char*, qint64) {
    return -1;
}

qint64 OutputFile::writeData(const char* data, qint64 size) {
    if (m_failed || !m_file)
        return -1;
    // A write that the disk filling up cuts short comes back short, with no reason; the rest is
    // tried again, and that write fails with the system's reason ("No space left on device").
    qint64 done = 0;
    while (done < size) {
        const qint64 written = m_file->write(data + done, size - done);
        if (written <= 0) {
            fail(m_file->errorString());
            return -1;
        }
        done += written;
    }
    return size;
}

void OutputFile::fail(const QString& reason) {
    m_failed = true;
    m_reason = reason.isEmpty() ? QStringLiteral("write error") : reason;
    setErrorString(m_reason);
}

} // namespace qb
