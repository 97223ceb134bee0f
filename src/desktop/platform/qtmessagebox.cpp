#include "desktop/platform/qtmessagebox.h"

#include "desktop/platform/beep.h"

#include <QApplication>
#include <QMessageBox>

namespace qb {

int QtMessageBox::message(const QString& text, const QString& title, int buttons) {
    // The box opens centred over the window the user is working in, which is the one that asks;
    // the owner given at start-up (the main menu) is often hidden behind it.
    QWidget* over = QApplication::activeWindow();
    if (!over || !over->isVisible())
        over = m_parent;
    QMessageBox box(over);
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    box.setWindowTitle(title);
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
