#include "desktop/platform/focus.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>
#include <QShortcutEvent>
#include <QWidget>

namespace qb {

namespace {

// Qt presses a button for its access key without moving the focus, so the box the user typed in
// would never hear that it was left.
class AccessKeyFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut)
            return false;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (button && button->isEnabled() && button->focusPolicy() != Qt::NoFocus &&
            !static_cast<QShortcutEvent*>(event)->isAmbiguous())
            button->setFocus(Qt::ShortcutFocusReason);
        return false;
    }
};

} // namespace

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

void FocusButtonsOnAccessKey(QObject* owner) {
    QCoreApplication::instance()->installEventFilter(new AccessKeyFocus(owner));
}

} // namespace qb
