// The character code an input box's key handlers work with: 13 for Enter, 8 for Backspace, the
// typed character for any other key that types one, and 0 for keys that type nothing (arrows,
// Home, Shift). Tab and Backtab move the focus and are left to the window.
#pragma once

#include <QKeyEvent>

namespace qb {

inline int KeyCode(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    default:
        break;
    }
    const QString text = event->text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

inline bool IsFocusMove(const QKeyEvent* event) {
    return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
}

} // namespace qb
