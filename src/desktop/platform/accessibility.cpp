// Names for readers, and the controls whose accessible interface is the program's own: its
// top-level windows, its list boxes and its result figures. Qt asks the installed factories for an
// interface by class name, the most derived class first, so the program's classes are answered here
// before Qt's own interfaces for the widgets they derive from are reached.
#include "desktop/platform/accessibility.h"

#include "desktop/platform/listbox.h"
#include "desktop/platform/resultlabel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace qb {

namespace {

// A result figure reads as read-only text named after its caption; its description, which a
// reader says after the name, is the figure without its padding.
class ResultInterface : public QAccessibleWidget {
public:
    explicit ResultInterface(ResultLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Description || kind == QAccessible::Value)
            return static_cast<const ResultLabel*>(widget())->figure();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
};

// A list box reads as Qt reads a combo box, its choices and its text box (when it has one) as its
// children and opening its choices when asked, but is named after its caption; its value is the
// choice it shows.
class ListBoxInterface : public QAccessibleWidget {
public:
    explicit ListBoxInterface(ListBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    int childCount() const override { return list()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1 && list()->isEditable())
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child->object() == list()->view())
            return 0;
        if (list()->isEditable() && child->object() == list()->lineEdit())
            return 1;
        return -1;
    }

    // The text box of an editable list has the focus as far as readers are concerned; the list
    // keeps it for the keys.
    QAccessibleInterface* focusChild() const override {
        return list()->isEditable() ? child(1) : nullptr;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value ||
            (kind == QAccessible::Name && list()->accessibleName().isEmpty()))
            return list()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

    QStringList keyBindingsForAction(const QString& /*action*/) const override { return {}; }

private:
    ListBox* list() const { return static_cast<ListBox*>(widget()); }
};

QAccessibleInterface* programInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !className.startsWith(QLatin1String("qb::")))
        return nullptr;
    if (auto* result = qobject_cast<ResultLabel*>(widget))
        return new ResultInterface(result);
    if (auto* list = qobject_cast<ListBox*>(widget))
        return new ListBoxInterface(list);
    // A plain widget shown as a window of its own would read as a filler panel; dialogs already
    // read as dialogs.
    if (widget->isWindow() && !qobject_cast<QDialog*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

void installProgramInterfaces() {
    QAccessible::installFactory(&programInterface);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProgramInterfaces)

QString AccessibleName(const QString& caption) {
    QString name;
    name.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                name += caption[++i];
            continue;
        }
        name += caption[i];
    }
    return name.simplified();
}

void NameForReaders(QWidget* field, const QString& name) {
    field->setAccessibleName(name);
    if (QWidget* proxy = field->focusProxy())
        proxy->setAccessibleName(name);
    if (auto* list = qobject_cast<QComboBox*>(field)) {
        list->view()->setAccessibleName(name);
        if (list->lineEdit())
            list->lineEdit()->setAccessibleName(name);
    }
}

void TieToCaption(QWidget* field, QLabel* caption) {
    caption->setBuddy(field);
    const QString name = AccessibleName(caption->text());
    caption->setAccessibleName(name);
    NameForReaders(field, name);
}

void NameAfterOwnCaption(QAbstractButton* button) {
    button->setAccessibleName(AccessibleName(button->text()));
}

} // namespace qb
