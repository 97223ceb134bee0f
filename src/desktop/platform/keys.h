// The character code an input box's key handlers work with: 13 for Enter, 8 for Backspace, the
// typed character for any other key that types one, and 0 for keys that type nothing (arrows,
// Home, Shift, Esc, Ctrl+C and the other commands). Tab and Backtab move the focus and are left to
// the window.
#pragma once

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

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
    // A key held with Ctrl, Alt or Meta is a command (copy, select all, an access key), and a
    // control character (Esc, Ctrl+letter) types nothing either.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    const QString text = event->text();
    if (text.isEmpty())
        return 0;
    const int code = text.at(0).unicode();
    return code < 32 ? 0 : code;
}

inline bool IsFocusMove(const QKeyEvent* event) {
    return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
}

// Whether a box that loses the focus has been left, so its entry is done: opening its own list or
// context menu is not leaving it, nor is another window taking the focus, since the user comes
// back to the same half-typed entry.
inline bool LeavesTheBox(const QFocusEvent* event) {
    return event->reason() != Qt::PopupFocusReason &&
           event->reason() != Qt::ActiveWindowFocusReason;
}

// Moves the focus on as a key press of the user's, so the control that gets it shows the focus
// marker: Qt draws the marker only after a focus change made from the keyboard, and counts only
// Tab and the arrows as such unless told.
inline void MoveFocusByKey(QWidget* next) {
    next->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    next->setFocus(Qt::TabFocusReason);
}

// Enter on a command button with the focus presses it, as Space does. Dialogs do this for their
// own buttons; a plain window's buttons need to be told.
inline void PressOnEnter(QPushButton* button) {
    button->setAutoDefault(true);
}

// What an input box's key handler has left to do after the steps every box shares: Tab and keys
// that type nothing go on to the box untouched; Enter moves the focus to the next control on the
// road to Calculate and goes no further. code is the typed character still to be dealt with, 0
// when there is none; swallow says whether the box must not see the key.
struct KeyPress {
    int code = 0;
    bool swallow = false;
};

inline KeyPress ReadKey(const QKeyEvent* event, QWidget* next) {
    if (IsFocusMove(event))
        return {};
    const int code = KeyCode(event);
    if (code == 13) {
        MoveFocusByKey(next);
        return {0, true};
    }
    return {code, false};
}

} // namespace qb
