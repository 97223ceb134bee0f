// The command-line tool run in-process over string buffers, for the tests that read what it
// prints and the status it ends with.
#pragma once

#include "cli/schedulecommand.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace qb {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun RunTool(const QStringList& arguments) {
    CliRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = RunCli(arguments, out, err);
    out.flush();
    err.flush();
    return result;
}

} // namespace qb
