#include "core/program/module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace qb {

QStringList ModuleFolders(const QString& programDir) {
    if (programDir.isEmpty())
        return {};
    const QDir dir(programDir);
    return {QDir::cleanPath(dir.filePath(QStringLiteral("../lib/quillbrook/modules"))),
            QDir::cleanPath(dir.absolutePath())};
}

QString RunningProgramFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Where Qt itself learns the program's path on Linux.
    const QFileInfo program(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    return program.exists() ? program.absolutePath() : QString();
}

ModuleLoader::ModuleLoader(QString fileName, QStringList folders)
    : m_fileName(std::move(fileName)), m_folders(std::move(folders)) {}

QObject* ModuleLoader::instance() {
    if (m_instance)
        return m_instance;
    m_path.clear();
    for (const QString& folder : m_folders) {
        const QString path = QDir(folder).filePath(m_fileName);
        if (QFileInfo(path).isFile()) {
            m_path = path;
            break;
        }
    }
    if (m_path.isEmpty()) {
        QStringList shown;
        for (const QString& folder : m_folders)
            shown.append(QDir::toNativeSeparators(folder));
        m_reason = QStringLiteral("%1 is not in %2")
                       .arg(m_fileName, shown.isEmpty() ? QStringLiteral("any folder")
                                                        : shown.join(QStringLiteral(" or ")));
        return nullptr;
    }
    QPluginLoader loader(m_path);
    // Code of the module may still run from windows and objects it made; it is never unloaded.
    loader.setLoadHints(QLibrary::PreventUnloadHint);
    m_instance = loader.instance();
    m_reason = m_instance ? QString() : loader.errorString();
    return m_instance;
}

QString ModuleLoader::notTheModule() const {
    return QStringLiteral("%1 is not the module of that name")
        .arg(QDir::toNativeSeparators(m_path));
}

} // namespace qb
