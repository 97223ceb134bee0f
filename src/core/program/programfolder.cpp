#include "core/program/programfolder.h"

#include <QDir>
#include <QFileInfo>

namespace qb {

namespace {

QString besideProgram(const QString& programDir) {
    return QDir(programDir).filePath(kHelpFileName.toString());
}

QString inSharedData(const QString& programDir) {
    return QDir::cleanPath(
        QDir(programDir)
            .filePath(QStringLiteral("../share/quillbrook/") + kHelpFileName.toString()));
}

} // namespace

QString HelpFilePath(const QString& programDir) {
    return IsInstalledProgram(programDir) ? inSharedData(programDir) : besideProgram(programDir);
}

bool IsInstalledProgram(const QString& programDir) {
    // An empty folder name would make both paths relative to wherever the program was started.
    if (programDir.isEmpty())
        return false;
    return !QFileInfo(besideProgram(programDir)).isFile() &&
           QFileInfo(inSharedData(programDir)).isFile();
}

} // namespace qb
