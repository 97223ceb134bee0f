// The desktop program: start-up, then the main menu over its blue background.
#include "desktop/application.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/qtprinter.h"
#include "desktop/windows/mainmenu.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbrook"));
    QApplication::setOrganizationName(QStringLiteral("Quillbrook"));
    // Ties the windows to the installed desktop entry, so a desktop shows its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillbrook.Quillbrook"));

    qb::QtMessageBox messages;
    qb::Application program(messages, QCoreApplication::applicationDirPath());
    messages.setParent(program.menu());
    QObject::connect(&program, &qb::Application::exitRequested, &app, &QApplication::quit);

    // The default printer, or the PDF it falls back to, measured with its standard font.
    qb::QtPrinter printer(QStringLiteral("Quillbrook"));
    program.start(printer);
    return QApplication::exec();
}
