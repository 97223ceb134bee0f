// The key and focus rules of the calculation windows' inputs; see entryboxes.h.
#include "desktop/windows/entryboxes.h"

#include "desktop/platform/keys.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

namespace qb {

EntryBoxes::EntryBoxes(const Controls& controls, SharedState& state, MessageBoxService& messages,
                       Actions actions)
    : m_controls(controls), m_state(state), m_messages(messages), m_actions(std::move(actions)) {}

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
