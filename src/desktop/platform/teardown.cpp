#include "desktop/platform/teardown.h"

#include <QObject>

namespace qb {

void DetachFromChildren(QObject& window) {
    QObject::disconnect(&window, nullptr, &window, nullptr);
    const QList<QObject*> children = window.findChildren<QObject*>();
    for (QObject* child : children) {
        QObject::disconnect(child, nullptr, &window, nullptr);
        child->removeEventFilter(&window);
    }
}

} // namespace qb
