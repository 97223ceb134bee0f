// Safe destruction of a window that may still be showing.
//
// Destroying a visible widget hides it, and hiding moves the focus: the box being edited gets its
// focus-out and may signal once more (an editable list box reports the typed text as picked).
// That happens inside QWidget's destructor, when the window's own part is already gone, so a slot
// of the window would run on a half-destroyed object. Each window's destructor therefore cuts its
// children off from it before anything is torn down.
#pragma once

class QObject;

namespace qb {

// Disconnects every signal of window's children (and of window itself) from window, and removes
// window as an event filter of its children; after it nothing of window is called back.
void DetachFromChildren(QObject& window);

} // namespace qb
