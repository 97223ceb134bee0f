// The order the Tab key visits a window's controls in, and where the focus goes when a modal window
// closes. Tab and Shift+Tab run through every control in reading order and come round again; a
// group of option buttons is one stop, at its selected option, and the arrow keys move within it.
#pragma once

#include <QList>

#include <initializer_list>

class QAbstractButton;
class QObject;
class QWidget;

namespace qb {

// Tab goes from each control to the next one given; the last leads on to whatever followed it.
void ChainTabOrder(std::initializer_list<QWidget*> controls);

// Makes options one stop of the Tab key: the selected option, or the first while none is.
void TabStopAtSelected(const QList<QAbstractButton*>& options);

// The focus goes back to the control a modal window was opened from, once that window is closed,
// however it was opened: a click, Enter on the control or its access key from another control.
void ReturnFocus(QWidget* opener);

// From now on, for as long as owner lives, access keys work as on other desktops: a button's key
// moves the focus to the button before pressing it, as a click does, so a box the focus leaves
// keeps what was typed in it first (Alt+C after a typed principal calculates with it); and an
// Alt+letter that no access key takes types nothing into the box with the focus.
void FollowAccessKeys(QObject* owner);

} // namespace qb
