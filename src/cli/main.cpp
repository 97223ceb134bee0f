// quillbrook-cli's entry point. Only a PDF needs fonts, and so the GUI part of Qt, and only a
// chart needs widgets; both run on the offscreen platform unless told otherwise, so the tool
// works with no display.
#include "cli/chartcommand.h"
#include "cli/schedulecommand.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <memory>

namespace {

bool wantsPdf(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--pdf", 5) == 0)
            return true;
    }
    return false;
}

} // namespace

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

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
    const bool chart = argc > 1 && std::strcmp(argv[1], "chart") == 0;
    if ((chart || wantsPdf(argc, argv)) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (chart)
        app = std::make_unique<QApplication>(argc, argv);
    else if (wantsPdf(argc, argv))
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return chart ? qb::RunChartCommand(arguments, out, err) : qb::RunCli(arguments, out, err);
}
