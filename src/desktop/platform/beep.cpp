#include "desktop/platform/beep.h"

#include <QApplication>

namespace qb {

void Beep() {
    QApplication::beep();
}

} // namespace qb
