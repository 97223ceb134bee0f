#include "desktop/platform/resultlabel.h"

namespace qb {

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

QString ResultLabel::figure() const {
    return text().simplified();
}

} // namespace qb
