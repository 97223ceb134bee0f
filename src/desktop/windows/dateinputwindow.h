// The Input Date window (DateInput): the date of the first payment, which the table windows count
// their payment dates from. The date is checked and stored in FirstPayDate, in the short date
// form, as soon as the focus leaves the box; "&OK" closes the window.
#pragma once

#include "core/program/messagebox.h"
#include "core/state/shared.h"

#include <QDialog>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qb {

class DateInputWindow : public QDialog {
    Q_OBJECT

public:
    DateInputWindow(SharedState& state, MessageBoxService& messages, QWidget* parent = nullptr);
    ~DateInputWindow() override;

    // "&OK", callable as a click would run it.
    void okExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool dateKeyPress(QKeyEvent* event);
    void dateLeft();

    SharedState& m_state;
    MessageBoxService& m_messages;
    bool m_refusing = false;     // the refusal's message is up: focus changes are not leaving
    bool m_entryRefused = false; // the last date typed was refused and nothing valid came since

    QLineEdit* m_date = nullptr; // InDate
    QPushButton* m_ok = nullptr; // OkExit
    QLabel* m_label = nullptr;
};

} // namespace qb
