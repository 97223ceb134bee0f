#include "desktop/platform/focus.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QShortcutEvent>
#include <QWidget>

namespace qb {

namespace {

// Access keys as on other desktops. Qt presses a button for its access key without moving the
// focus, so the box the user typed in would never hear that it was left; and it types an Alt+letter
// that no access key took into the box with the focus, over what the box held.
class AccessKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut) {
            auto* button = qobject_cast<QAbstractButton*>(watched);
            if (button && button->isEnabled() && button->focusPolicy() != Qt::NoFocus &&
                !static_cast<QShortcutEvent*>(event)->isAmbiguous())
                button->setFocus(Qt::ShortcutFocusReason);
        } else if (event->type() == QEvent::KeyPress) {
            return isAltLetter(static_cast<QKeyEvent*>(event)) && takesText(watched);
        }
        return false;
    }

private:
    // AltGr, which types letters of other languages, does not come as Alt.
    static bool isAltLetter(const QKeyEvent* key) {
        const Qt::KeyboardModifiers mods = key->modifiers();
        return mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier) &&
               !key->text().isEmpty() && key->text().at(0).isPrint();
    }
    static bool takesText(QObject* object) {
        if (auto* combo = qobject_cast<QComboBox*>(object))
            return combo->isEditable();
        return qobject_cast<QLineEdit*>(object) != nullptr;
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

void FollowAccessKeys(QObject* owner) {
    QCoreApplication::instance()->installEventFilter(new AccessKeys(owner));
}

} // namespace qb
