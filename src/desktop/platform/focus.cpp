#include "desktop/platform/focus.h"

#include <QAbstractButton>
#include <QPointer>
#include <QWidget>

namespace qb {

void ChainTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void TabStopAtSelected(const QList<QAbstractButton*>& options) {
    QList<QPointer<QAbstractButton>> group;
    for (QAbstractButton* option : options)
        group << option;
    const auto placeStop = [group] {
        QAbstractButton* stop = nullptr;
        for (QAbstractButton* option : group) {
            if (option && (!stop || option->isChecked()))
                stop = option;
        }
        for (QAbstractButton* option : group) {
            if (!option)
                continue;
            const int policy = option->focusPolicy();
            option->setFocusPolicy(
                Qt::FocusPolicy(option == stop ? policy | Qt::TabFocus : policy & ~Qt::TabFocus));
        }
    };
    for (QAbstractButton* option : options)
        QObject::connect(option, &QAbstractButton::toggled, option, placeStop);
    placeStop();
}

void ReturnFocus(QWidget* opener) {
    opener->setFocus(Qt::OtherFocusReason);
}

} // namespace qb
