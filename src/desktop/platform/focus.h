// The order the Tab key visits a window's controls in, and where the focus goes when a modal window
// closes. Tab and Shift+Tab run through every control in reading order and come round again; a
// group of option buttons is one stop, at its selected option, and the arrow keys move within it.
#pragma once

#include <QList>

#include <initializer_list>

class QAbstractButton;
class QWidget;

namespace qb {

// Tab goes from each control to the next one given; the last leads on to whatever followed it.
void ChainTabOrder(std::initializer_list<QWidget*> controls);

// Makes options one stop of the Tab key: the selected option, or the first while none is.
void TabStopAtSelected(const QList<QAbstractButton*>& options);

// The focus goes back to the control a modal window was opened from, once that window is closed,
// however it was opened: a click, Enter on the control or its access key from another control.
void ReturnFocus(QWidget* opener);

} // namespace qb
