#include "desktop/platform/listbox.h"

namespace qb {

ListBox::ListBox(QWidget* parent) : QComboBox(parent) {}

} // namespace qb
