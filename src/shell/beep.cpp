#include "beep.h"

#include <QApplication>

namespace qb {

void Beep() {
    QApplication::beep();
}

} // namespace qb
