// The file a report or a picture is written to: the PDF reports, their PDF in the documents
// folder, the chart pictures and the chart printout. Writers that take a device (the PDF writer,
// the SVG generator, the image writer) write into an OutputFile; nothing they write is taken on
// trust.
//
//   OutputFile file;
//   if (!file.start(path)) ... file.errorString() says why
//   ... write ...
//   if (!file.commit()) ... file.errorString() says why; the target is as it was
//
// A regular file (or a name that does not exist yet) is written to a temporary file beside it
// and renamed over it only when every write and the final flush went through: the old file stays
// whole until the new one is complete, and a failure leaves no temporary file behind. A target
// that exists and is not a regular file (a device, a FIFO, /dev/stdout) is written directly and
// never renamed over, so root writing to /dev/full cannot replace the device.
//
// The first failed write ends the output: every later write fails too, and commit() reports it.
// An OutputFile destroyed before commit() drops what it wrote.
#pragma once

#include <QIODevice>
#include <QString>

#include <memory>

class QFileDevice;

namespace qb {

class OutputFile : public QIODevice {
public:
    OutputFile();
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens the output for path, dropping any output started before and not committed. Returns
    // false, with errorString() saying why, when it cannot be opened.
    bool start(const QString& path);
    // Finishes the output and puts it in place. Returns false, with errorString() saying why,
    // when a write, the flush or the rename failed.
    bool commit();
    // Drops the output: a temporary file is removed; a device keeps what reached it.
    void discard();

    // Whether a write has failed since start().
    bool failed() const { return m_failed; }

    // Whether path is written in place rather than through a temporary file beside it.
    static bool writesInPlace(const QString& path);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    void fail(const QString& reason);

    std::unique_ptr<QFileDevice> m_file;
    bool m_inPlace = false;
    bool m_failed = false;
    QString m_reason; // why the output failed
};

} // namespace qb
