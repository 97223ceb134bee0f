// The inputs the calculation windows share: the principal, rate and term boxes, the compounding
// and frequency lists and the help panel. Enter moves along the chain principal, rate, term,
// compounding, frequency, Calculate; a box takes only the keys of its figure and beeps at the
// others; the first key of an entry empties the box; leaving a box (not for another window or
// the box's own list) commits it. A typed key in a list or the read-only help panel beeps.
//
// Keys that type nothing (copy, select all, arrows, Esc) do what they do in any text box and
// leave the entry alone. A paste, by key, menu, middle click or drop, counts as typing: its text
// is kept as a figure without blanks, currency symbol, thousands separators and percent sign, or
// refused whole with a beep; as the first key of an entry it replaces the box's text.
//
// The window says what starting an entry and committing a box mean for it, and hands the events
// of these controls here from its event filter.
#pragma once

#include "core/program/messagebox.h"
#include "core/state/shared.h"

#include <functional>
#include <memory>

class QComboBox;
class QEvent;
class QKeyEvent;
class QLineEdit;
class QObject;
class QWidget;

namespace qb {

enum class EntryBox { Principal, Rate, Term };

class EntryBoxes {
public:
    struct Controls {
        QLineEdit* principal = nullptr;
        QComboBox* rate = nullptr;
        QComboBox* term = nullptr;
        QComboBox* compounding = nullptr;
        QComboBox* frequency = nullptr;
        QWidget* calculate = nullptr;
        QWidget* helpPanel = nullptr;
    };
    struct Actions {
        std::function<void()> resetEntry;
        std::function<void(EntryBox)> commit;
        // Whether every key typed into a box starts the entry again, or only the first one.
        bool resetOnEveryKey = false;
    };

    EntryBoxes(const Controls& controls, SharedState& state, MessageBoxService& messages,
               Actions actions);

    // Handles a key press or focus loss of one of the controls; true when the event is used up.
    bool filter(QObject* watched, QEvent* event);
    // The line edit that holds a box's text.
    QLineEdit* edit(EntryBox box) const;

    ~EntryBoxes();

private:
    class EditWatcher;

    bool boxKeyPress(EntryBox box, QKeyEvent* event);
    bool editEvent(EntryBox box, QEvent* event);
    void paste(EntryBox box, const QString& text);
    void startEntry();
    bool listKeyPress(QWidget* next, QKeyEvent* event);
    bool helpKeyPress(QKeyEvent* event);

    Controls m_controls;
    SharedState& m_state;
    MessageBoxService& m_messages;
    Actions m_actions;
    std::unique_ptr<EditWatcher> m_watcher;
};

} // namespace qb
