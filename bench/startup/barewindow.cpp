// The yardstick of the start-up benchmark: a bare QWidget program that shows one empty window
// the size of the main menu and runs the event loop.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName(QStringLiteral("BareWindow"));
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(480, 360);
    window.show();
    return QApplication::exec();
}
