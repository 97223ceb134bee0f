// The key and focus rules of the calculation windows' inputs; see entryboxes.h.
#include "desktop/windows/entryboxes.h"

#include "core/format/entrytext.h"
#include "desktop/platform/keys.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <utility>

namespace qb {

// Watches the boxes' line edits for what reaches them past the keyboard: the mouse's paste,
// drops, the context menu, and any edit of the user's.
class EntryBoxes::EditWatcher : public QObject {
public:
    explicit EditWatcher(EntryBoxes& owner) : m_owner(owner) {
        for (const EntryBox box : {EntryBox::Principal, EntryBox::Rate, EntryBox::Term}) {
            QLineEdit* edit = owner.edit(box);
            edit->installEventFilter(this);
            // Cut, undo and a menu's Delete change the text without a typed key.
            connect(edit, &QLineEdit::textEdited, this, [this] {
                if (m_owner.m_state.EntryStarted == 0)
                    m_owner.startEntry();
            });
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        for (const EntryBox box : {EntryBox::Principal, EntryBox::Rate, EntryBox::Term}) {
            if (watched == m_owner.edit(box))
                return m_owner.editEvent(box, event);
        }
        return false;
    }

private:
    EntryBoxes& m_owner;
};

EntryBoxes::EntryBoxes(const Controls& controls, SharedState& state, MessageBoxService& messages,
                       Actions actions)
    : m_controls(controls), m_state(state), m_messages(messages), m_actions(std::move(actions)),
      m_watcher(std::make_unique<EditWatcher>(*this)) {}

EntryBoxes::~EntryBoxes() = default;

bool EntryBoxes::filter(QObject* watched, QEvent* event) {
    const Controls& c = m_controls;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == c.principal)
            return boxKeyPress(EntryBox::Principal, key);
        if (watched == c.rate)
            return boxKeyPress(EntryBox::Rate, key);
        if (watched == c.term)
            return boxKeyPress(EntryBox::Term, key);
        if (watched == c.compounding)
            return listKeyPress(c.frequency, key);
        if (watched == c.frequency)
            return listKeyPress(c.calculate, key);
        if (watched == c.helpPanel)
            return helpKeyPress(key);
    } else if (event->type() == QEvent::FocusOut) {
        if (LeavesTheBox(static_cast<QFocusEvent*>(event))) {
            if (watched == c.principal)
                m_actions.commit(EntryBox::Principal);
            else if (watched == c.rate)
                m_actions.commit(EntryBox::Rate);
            else if (watched == c.term)
                m_actions.commit(EntryBox::Term);
        }
    }
    return false;
}

QLineEdit* EntryBoxes::edit(EntryBox box) const {
    switch (box) {
    case EntryBox::Principal:
        return m_controls.principal;
    case EntryBox::Rate:
        return m_controls.rate->lineEdit();
    case EntryBox::Term:
        break;
    }
    return m_controls.term->lineEdit();
}

bool EntryBoxes::boxKeyPress(EntryBox box, QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        paste(box, QGuiApplication::clipboard()->text(QClipboard::Clipboard));
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        m_actions.resetEntry();
        return false;
    }
    QWidget* next = box == EntryBox::Principal ? static_cast<QWidget*>(m_controls.rate)
                    : box == EntryBox::Rate    ? static_cast<QWidget*>(m_controls.term)
                                               : static_cast<QWidget*>(m_controls.compounding);
    const KeyPress key = ReadKey(event, next);
    if (key.code == 0)
        return key.swallow;
    const FilteredKey filtered =
        box == EntryBox::Term ? WholeNumberKeyFilter(key.code) : AmountKeyFilter(key.code);
    if (filtered.beep)
        m_messages.beep();
    const bool firstKey = m_state.EntryStarted == 0;
    if (firstKey)
        edit(box)->clear();
    if (firstKey || m_actions.resetOnEveryKey)
        m_actions.resetEntry();
    return filtered.code == 0;
}

void EntryBoxes::startEntry() {
    m_actions.resetEntry();
}

bool EntryBoxes::editEvent(EntryBox box, QEvent* event) {
    QLineEdit* edit = this->edit(box);
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (mouse->button() != Qt::MiddleButton || !clipboard->supportsSelection())
            return false;
        edit->setCursorPosition(edit->cursorPositionAt(mouse->position().toPoint()));
        paste(box, clipboard->text(QClipboard::Selection));
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasText())
            return false;
        edit->setFocus(Qt::MouseFocusReason);
        edit->setCursorPosition(edit->cursorPositionAt(drop->position().toPoint()));
        paste(box, drop->mimeData()->text());
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }
    case QEvent::ContextMenu: {
        // The box's own menu, with its Paste going through the same check as a typed paste.
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String("edit-paste")) {
                action->disconnect();
                QObject::connect(action, &QAction::triggered, m_watcher.get(), [this, box] {
                    paste(box, QGuiApplication::clipboard()->text(QClipboard::Clipboard));
                });
            }
        }
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    default:
        return false;
    }
}

void EntryBoxes::paste(EntryBox box, const QString& text) {
    const QString figure = PastedFigure(text, m_state.CurrencySymbol, box == EntryBox::Term);
    if (figure.isEmpty()) {
        // Nothing of the paste is a figure this box takes; the box keeps what it shows.
        if (!text.trimmed().isEmpty())
            m_messages.beep();
        return;
    }
    QLineEdit* edit = this->edit(box);
    if (m_state.EntryStarted == 0)
        edit->clear();
    startEntry();
    edit->insert(figure);
}

bool EntryBoxes::listKeyPress(QWidget* next, QKeyEvent* event) {
    const KeyPress key = ReadKey(event, next);
    if (key.code == 0)
        return key.swallow;
    m_messages.beep();
    m_actions.resetEntry();
    return true;
}

bool EntryBoxes::helpKeyPress(QKeyEvent* event) {
    const KeyPress key = ReadKey(event, m_controls.principal);
    if (key.code == 0)
        return key.swallow;
    m_messages.beep(); // the panel is read-only
    return true;
}

} // namespace qb
