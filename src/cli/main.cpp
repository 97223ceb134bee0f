#include "cli/schedulecommand.h"

#include <QCoreApplication>

#include <cstdio>

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
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return qb::RunCli(arguments, out, err);
}
