#include "desktop/platform/qtmessagebox.h"

#include "desktop/platform/beep.h"

#include <QApplication>
#include <QMessageBox>

namespace qb {

namespace {

// A window a box may open over: on show, not the blue background behind the menu, not a box.
bool canOwnBox(const QWidget* window) {
    return window && window->isVisible() && window->objectName() != QLatin1String("bakgnd") &&
           !qobject_cast<const QMessageBox*>(window);
}

} // namespace

// The window the user is working in, which is the one that asks: the active window, or, where
// none is active (a box that just closed has taken the activation with it, or no window manager
// hands it out), the window with the focus, else the one on show. Only one calculation or chart
// window is on show at a time. The owner given at start-up, the main menu, is often hidden
// behind such a window and comes last.
QWidget* QtMessageBox::owner() const {
    if (QWidget* active = QApplication::activeWindow(); canOwnBox(active))
        return active;
    if (QWidget* focus = QApplication::focusWidget(); focus && canOwnBox(focus->window()))
        return focus->window();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != m_parent && canOwnBox(window))
            return window;
    }
    return m_parent;
}

int QtMessageBox::message(const QString& text, const QString& title, int buttons) {
    QMessageBox box(owner());
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    box.setWindowTitle(title);
    // Messages carry paths, reasons and the user's own texts: never markup.
    box.setTextFormat(Qt::PlainText);
    // The program's texts break lines with CR LF; the box wants plain line feeds.
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if ((buttons & MbInformation) == MbInformation)
        box.setIcon(QMessageBox::Information);
    if ((buttons & MbYesNo) == MbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? AnswerYes : AnswerNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return AnswerOk;
}

void QtMessageBox::beep() {
    Beep();
}

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace qb
