// quillbrook-cli's entry point. Only a PDF needs fonts, and so the GUI part of Qt, and only a
// chart needs widgets; both always draw on the offscreen platform, so the tool works with no
// display whatever the environment names. The tool itself links Qt Core alone: the module that
// draws (see cli/drawingmodules.h) makes the application object it draws with, and a run that
// draws nothing never loads one.
//
// Every argument is the tool's: Qt is given only the program's name, so its own options
// (-platform, -style, -reverse, -session) reach the commands, which refuse them as they refuse
// any argument they do not know.
#include "charts/chartsmodule.h"
#include "cli/chartcommand.h"
#include "cli/drawingmodules.h"
#include "cli/schedulecommand.h"
#include "pdf/pdfmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <memory>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

bool wantsPdf(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument.startsWith(u"--pdf"))
            return true;
    }
    return false;
}

// Qt looks for the runtime folder while it starts, and with XDG_RUNTIME_DIR unset it warns before
// it takes its own folder in the temporary folder. Naming that same folder keeps what Qt does
// and keeps the warning off the standard error of a run that succeeds.
void nameRuntimeFolder() {
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const passwd* user = ::getpwuid(::geteuid());
    const QString name =
        user ? QString::fromLocal8Bit(user->pw_name) : QString::number(::geteuid());
    qputenv("XDG_RUNTIME_DIR",
            QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-") + name));
#endif
}

} // namespace

int main(int argc, char** argv) {
#ifdef Q_OS_UNIX
    // A standard stream started closed must stay unusable: left free, its number would go to the
    // next file opened (Qt's own event descriptors among them) and the output would land there.
    // Held by a read-only /dev/null, every write to it fails as it should.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    }
#endif
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const bool chart = !arguments.isEmpty() && arguments.first() == u"chart";
    const bool draws = chart || wantsPdf(arguments);
    if (draws) {
        // A platform that cannot start (xcb with no display) would abort the run.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        nameRuntimeFolder();
    }

    static char programName[] = "quillbrook-cli";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] ? argv[0] : programName, nullptr};
    std::unique_ptr<QCoreApplication> app;
    // A module that cannot be loaded leaves Qt Core's application object; the command then says
    // why it cannot draw, once it has read its arguments.
    QString unloaded;
    if (chart) {
        if (qb::ChartsModule* charts = qb::LoadChartsModule(unloaded))
            app = charts->startApplication(qtArgc, qtArgv);
    } else if (draws) {
        if (qb::PdfModule* pdf = qb::LoadPdfModule(unloaded))
            app = pdf->startApplication(qtArgc, qtArgv);
    }
    if (!app)
        app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return chart ? qb::RunChartCommand(arguments, out, err) : qb::RunCli(arguments, out, err);
}
