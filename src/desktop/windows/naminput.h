// The To Printer dialog (NamInput): the one-line header a table or comparison report prints at
// its top. "Continue &Printout" keeps the typed header in ReportHeader, "&Cancel" (or Esc) sets
// it to "1", which the reports read as "do not print"; closing the dialog by its frame leaves
// ReportHeader as it was. The box starts empty each time and takes at most 76 characters, the width
// of a report line.
//
// A report window asks for its header with NamInput::askForHeader(state, window), which runs
// the dialog modally and says whether to go on printing.
#pragma once

#include "core/state/shared.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qb {

class NamInput : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMaxHeaderLength = 76;

    explicit NamInput(SharedState& state, QWidget* parent = nullptr);

    // Shows the dialog modally; true when the report goes ahead, false when ReportHeader is
    // "1" afterwards (cancelled, or the single character 1 typed as the header).
    static bool askForHeader(SharedState& state, QWidget* parent);

    // The header text that means the user cancelled the report.
    static bool isCancelled(const SharedState& state) {
        return state.ReportHeader == QLatin1String("1");
    }

    // The buttons' own work, callable as a click would run it.
    void continuePrintout();
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    SharedState& m_state;
    QLabel* m_label = nullptr;         // FName
    QLineEdit* m_header = nullptr;     // InFName
    QPushButton* m_continue = nullptr; // Acept
    QPushButton* m_cancel = nullptr;   // NAcept
};

} // namespace qb
