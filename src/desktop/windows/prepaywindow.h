// The Additional Payments window (PrePay): lump sums paid on top of the regular payments, at most
// one amount per year of the term. The user types a year number and an amount; each amount goes
// into the shared PrePayTable the moment the amount box is left, and the grid lists every year of
// the term with what is paid in it. "&OK" counts the years that carry an amount, "&Erase all"
// sets them all back to nothing.
#pragma once

#include "core/format/entrytext.h"
#include "core/program/messagebox.h"
#include "core/state/shared.h"

#include <QDialog>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qb {

class Grid;

class PrePayWindow : public QDialog {
    Q_OBJECT

public:
    PrePayWindow(SharedState& state, MessageBoxService& messages, QWidget* parent = nullptr);
    ~PrePayWindow() override;

    // The command buttons' own work, callable as a click would run it.
    void usePrePay(); // "&OK"
    void eraseAll();  // "&Erase all"

    Grid* grid() const { return m_grid; }
    // The year number most recently accepted from the year box.
    int entryYear() const { return m_entryYear; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void load();
    void setUpYearGrid(int rows); // the heading row and one row a year

    // A key typed into a box, checked by the box's key filter.
    bool boxKeyPress(QKeyEvent* event, QWidget* next, FilteredKey (*keyFilter)(int));
    void yearLeft();
    void paymentLeft();
    void refuse(const QString& text);
    void commitPendingEntry(QPushButton* command);

    SharedState& m_state;
    MessageBoxService& m_messages;
    int m_entryYear = 0;
    bool m_refusing = false; // a refusal's message is up: focus changes are not leaving a box

    QLineEdit* m_year = nullptr;    // InYear
    QLineEdit* m_payment = nullptr; // InPayment
    QPushButton* m_eraseAll = nullptr;
    QPushButton* m_ok = nullptr;
    Grid* m_grid = nullptr;
    QLabel* m_label = nullptr;
};

} // namespace qb
