// The form the calculation windows share: the principal, rate and term boxes, the compounding
// and frequency lists with their captions, the six command buttons and the help panel that takes
// the place of the window's grids. The window adds what is its own (result labels, grids, view
// options) and wires the commands to its work.
//
// Enter moves along the chain principal, rate, term, compounding, frequency, Calculate; a box
// takes only the keys of its figure and beeps at the others; the first key of an entry empties
// the box; leaving a box (not for another window or the box's own list) commits it: the figure
// is kept in InputValues and shown again in the box's format. A typed key in a list or the
// read-only help panel beeps.
//
// Keys that type nothing (copy, select all, arrows, Esc) do what they do in any text box and
// leave the entry alone. A paste, by key, menu, middle click or drop, counts as typing: its text
// is kept as a figure without blanks, currency symbol, thousands separators and percent sign, or
// refused whole with a beep; as the first key of an entry it replaces the box's text.
//
// The form is built in the order the controls take the focus, which is their reading order: the
// boxes when it is made, the commands after the window's own controls beside the boxes, the help
// panel after its grids. Every box, list and result is tied to its caption, which names it for
// screen readers.
#pragma once

#include "core/engine/schedule.h"
#include "core/program/messagebox.h"
#include "core/state/shared.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

class QComboBox;
class QEvent;
class QGridLayout;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace qb {

class Grid;

enum class EntryBox { Principal, Rate, Term };

// The help text is written with the number of line breaks after each piece, which lines the
// example figures up with the input boxes beside the panel.
QString JoinHelp(std::initializer_list<std::pair<const char*, int>> pieces);

class CalculationForm {
public:
    // What the windows' forms differ in.
    struct Setup {
        QString compoundingName;
        // The object name of the frequency list's caption.
        QString frequencyCaptionName;
        // With a length, the principal box and the editable lists are wide enough for a figure of
        // that many characters; without one they take the width of their entries.
        int figureLength = 0;
        // The longest term the box takes, and what the user is told of a longer one.
        int termLimit = 40;
        QString termLimitMessage;
        // A loan's term is typed in months and kept in years as months / 12.
        bool termInMonths = false;
        // Whether a committed term is shown as kept, to four decimals, or as typed.
        bool termShownAsKept = false;
        // Whether every key typed into a box starts the entry again, or only the first one.
        bool resetOnEveryKey = false;
        // What starting an entry means for the window.
        std::function<void()> resetEntry;
    };
    struct Commands {
        QString calcName;
        QString addPrePayName;
        QString helpName;
        QString graphsName;
        QString printName;
        QString printCaption;
        QString exitName;
    };
    // What the boxes show when the window opens, with the values kept for them.
    struct Defaults {
        double principal = 0;
        QString principalText; // shown after the currency symbol
        QString principalCaption;
        QString rateCaption;
        QString termCaption;
        QStringList termList;
        double termYears = 0;
        QString termText;
        int compounding = 0; // an entry of the list; anything else picks the first
    };

    // Builds the boxes and their captions into window.
    CalculationForm(QWidget& window, Setup setup, SharedState& state, MessageBoxService& messages);
    ~CalculationForm();

    // Builds the command buttons, after the window's own controls of the upper part.
    void addCommands(const Commands& names);
    // Builds the help panel, after the grids it covers when shown; the form is complete.
    void addHelpPanel(const QString& name, QList<QWidget*> covered);
    void load(const Defaults& defaults);

    // A caption, a result figure and a command button as the form's own are made.
    QLabel* makeCaption(const QString& name, const QString& caption) const;
    QLabel* makeResult(const QString& name, bool fillBackground) const;
    QPushButton* makeButton(const QString& name, const QString& caption) const;
    // A width that shows length characters of the figure font in a box.
    static int figureWidth(int length);

    // The boxes with their captions in rows 0 to 4 of the first two columns; the window fills
    // the rest.
    QGridLayout* grid() const { return m_grid; }
    // A field with its caption at its left, tied to it.
    void addRow(int row, int column, QLabel* caption, QWidget* field) const;
    // The grid with the commands at its right, for the top of the window's layout.
    QHBoxLayout* takeTop();

    // The text of the window's last calculation as a spreadsheet file, or nothing when there is
    // none.
    using CsvText = std::function<std::optional<QString>()>;
    // Offers "Save as CSV..." in grid's context menu: with nothing calculated it says so,
    // otherwise it asks for a file (fileName suggested in the documents folder) and saves there.
    void offerSaveAsCsv(Grid* grid, const QString& fileName, CsvText csv);
    // Saves csv's text to path as Save as CSV does, its messages included. Returns whether the
    // file was written.
    bool saveCsv(const QString& path, const CsvText& csv) const;

    // Takes in a box's figure as leaving the box does.
    void commit(EntryBox box);
    // The mortgage or loan the committed figures and the lists' entries describe, as the engine
    // takes it.
    LoanInput loanInput(ScheduleKind kind) const;

    // Whether the help panel is shown in the place of the grids.
    bool helpShown() const;
    // Shows the help panel with text in the place of the grids, with printing and charting off.
    void showHelp(const QString& text);
    // Shows the grids again in the help panel's place.
    void hideHelp();

    QComboBox* compounding() const { return m_compounding; }
    QComboBox* frequency() const { return m_frequency; }
    QComboBox* rate() const { return m_rate; }
    QComboBox* term() const { return m_term; }
    QPushButton* calc() const { return m_calc; }
    QPushButton* addPrePay() const { return m_addPrePay; }
    QPushButton* help() const { return m_help; }
    QPushButton* graphs() const { return m_graphs; }
    QPushButton* print() const { return m_print; }
    QPushButton* exit() const { return m_exit; }
    QPlainTextEdit* helpPanel() const { return m_helpPanel; }
    // The line edit that holds a box's text.
    QLineEdit* edit(EntryBox box) const;

private:
    // Writes text to path whole or not at all; a failure is said in a message.
    bool writeCsv(const QString& path, const QString& text) const;
    class Watcher;

    QComboBox* makeCombo(const QString& name, bool editable);
    void buildBoxes();

    bool filter(QObject* watched, QEvent* event);
    bool boxKeyPress(EntryBox box, QKeyEvent* event);
    bool editEvent(EntryBox box, QEvent* event);
    void paste(EntryBox box, const QString& text);
    bool listKeyPress(QWidget* next, QKeyEvent* event);
    bool helpKeyPress(QKeyEvent* event);
    void showKept(EntryBox box, double value);

    QWidget& m_window;
    Setup m_setup;
    SharedState& m_state;
    MessageBoxService& m_messages;
    std::unique_ptr<Watcher> m_watcher;

    QLineEdit* m_principal = nullptr;
    QComboBox* m_rate = nullptr;
    QComboBox* m_term = nullptr;
    QComboBox* m_compounding = nullptr;
    QComboBox* m_frequency = nullptr;
    QLabel* m_principalCaption = nullptr;
    QLabel* m_rateCaption = nullptr;
    QLabel* m_termCaption = nullptr;
    QPushButton* m_calc = nullptr;
    QPushButton* m_addPrePay = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_graphs = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_exit = nullptr;
    QPlainTextEdit* m_helpPanel = nullptr;
    QList<QWidget*> m_covered;
    QGridLayout* m_grid = nullptr;
    QHBoxLayout* m_top = nullptr;
};

} // namespace qb
