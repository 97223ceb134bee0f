// Every window opens wholly inside the free area of its screen (the screen less the desktop's
// panels), whatever the screen's size and scale factor. A window asks for its design size; where
// that does not fit, the window is made smaller and its layout takes the room from the parts that
// scroll by themselves (the grids, which have the stretch), never from the inputs, results or
// buttons. Where even those do not fit, the window's whole content scrolls inside it.
//
// The frame the window manager draws around a window is known only once the window is shown, so
// a window not yet shown is fitted with the frame of a window that is, or a title bar's guess.
#pragma once

#include <QMargins>

class QRect;
class QSize;
class QWidget;

namespace qb {

// Sizes window (its client area) to design, or to as much of it as area takes, and places it so
// that its frame lies inside area: a window the program has placed keeps its place as far as the
// area lets it, a dialog comes centred on its parent window, any other window centred on the
// area. When the window's smallest layout does not fit, its content is put in a scroll area.
void FitIntoArea(QWidget& window, const QSize& design, const QRect& area);

// FitIntoArea in the free area of the screen the window opens on.
void FitOnScreen(QWidget& window, const QSize& design);

// Whether window's content has been put in a scroll area to fit.
bool ContentScrolls(const QWidget& window);

} // namespace qb
