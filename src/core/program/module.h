// Parts of the program kept in modules of their own and loaded the first time they are needed,
// so that a start that never needs them never pays for them: the Charts window with Qt Charts
// and Data Visualization, and, for the command-line tool, the printer that writes a PDF. A module
// is a Qt plugin in the program's private library folder: lib/quillbrook/modules/ beside bin/,
// as the install rules and the build folder both lay it out; a program that has its modules beside
// itself finds them there too. Once loaded, a module stays loaded until the program ends.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace qb {

inline constexpr QStringView kChartsModuleFile = u"quillbrook-charts.so";
inline constexpr QStringView kPdfModuleFile = u"quillbrook-pdf.so";

// The folders a program in programDir looks for its modules in, in order:
// ../lib/quillbrook/modules/, then programDir itself. None for an empty programDir.
QStringList ModuleFolders(const QString& programDir);

// The folder of the running program, also before its application object exists.
QString RunningProgramFolder();

class ModuleLoader {
public:
    ModuleLoader(QString fileName, QStringList folders);

    // The module's object, loaded on the first call; null when the module cannot be loaded or
    // does not offer Interface, and reason() then says why.
    template <class Interface> Interface* load() {
        QObject* object = instance();
        auto* module = qobject_cast<Interface*>(object);
        if (object && !module)
            m_reason = notTheModule();
        return module;
    }

    // Why the module could not be loaded; empty while nothing failed.
    const QString& reason() const { return m_reason; }

private:
    QObject* instance();
    QString notTheModule() const;

    QString m_fileName;
    QStringList m_folders;
    QString m_path;
    QString m_reason;
    QObject* m_instance = nullptr;
};

} // namespace qb
