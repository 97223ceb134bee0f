// Where the program finds the files it ships with. A program run from its build folder or an
// unpacked folder has its help file beside it; an installed program (bin/quillbrook) finds it in
// ../share/quillbrook/, as the install rules put it. Which of the two is the case also decides
// where the settings file may be written: never under an install prefix.
#pragma once

#include <QString>
#include <QStringView>

namespace qb {

inline constexpr QStringView kHelpFileName = u"Corvathe.hlp";

// The help file beside the program when it is there, else the one in ../share/quillbrook/ when
// that is there, else the path beside the program (the viewer then says it cannot read it).
QString HelpFilePath(const QString& programDir);

// True when the help file is not beside the program but in ../share/quillbrook/: the program
// runs from an install prefix.
bool IsInstalledProgram(const QString& programDir);

} // namespace qb
