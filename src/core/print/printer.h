// The printer the reports print on. A report is plain text laid out by character columns and sent
// line by line: each line is a list of items, an item optionally moving to a column first.
//
//   printer.print({At(40), Text("Page"), Number(printer.page())});   // "Page 3 " from column 40
//   printer.print({Placed(20, 12, PadColumn(amount, 12))});         // ends at column 31
//
// The rules every back end shares live here, so a report prints the same on paper and in the
// recording printer the tests and the command-line tool use:
//   - columns count from 1; a column below 1 is column 1;
//   - a move to a column left of where the line already is continues on the next line;
//   - a number prints as its sign or a space, its digits, and a space (" 3 ", "-3 ");
//   - a CR LF inside a text ends the line; the rest of the text starts at column 1;
//   - a right-aligned field (Placed) is never cut and never touches the text before it;
//   - the first operation that prints opens the job and its first page;
//   - newPage() only takes effect when something is printed after it, so a job that ends right
//     after a page break does not leave a blank sheet;
//   - a back end that runs out of page starts the next page itself and counts it.
// Failures of the device (no printer installed, nothing can be opened) are thrown as
// PrinterError.
#pragma once

#include <QString>

#include <initializer_list>
#include <span>
#include <stdexcept>

namespace qb {

class PrinterError : public std::runtime_error {
public:
    explicit PrinterError(const QString& detail) : std::runtime_error(detail.toStdString()) {}
};

struct PrinterFont {
    QString name;
    double pointSize = 12;
    bool bold = false;

    friend bool operator==(const PrinterFont&, const PrinterFont&) = default;
};

// One item of a line: an optional move to a column, then an optional text. Build items with the
// helpers below rather than by hand.
struct PrintItem {
    int column = 0; // the column to move to before the text; 0 or less: no move
    // For a right-aligned field: never move back onto the previous line for it, and keep one
    // blank between it and the text before it, starting further right when it has to. An
    // amount that runs into its neighbour reads as another figure ("$.00$17,260,984.90"); a row
    // broken over two lines throws off the page length.
    bool keepOnLine = false;
    QString text;
};

// A move to a column; a column below 1 is column 1.
PrintItem At(int column);
// Text printed as it is, where the line stands.
PrintItem Text(const QString& text);
// A whole number as the reports print one: " 3 ", "-3 ".
PrintItem Number(qint64 value);
// A right-aligned field: the column starts at column and is width characters wide, and the
// text, its leading blanks aside, ends at the column's last character. A text longer than the
// column is moved left by the excess (never below column 1), so no digit is ever cut. Printed
// after other text, it starts at least one blank after that text, and then ends right of its
// column.
PrintItem Placed(int column, int width, const QString& text);

class Printer {
public:
    virtual ~Printer() = default;
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Prints one line made of items; the line ends after the last item. An empty list prints an
    // empty line. A CR LF inside a text item ends the line there, and the text after it starts
    // at column 1 of the next line.
    void print(std::initializer_list<PrintItem> items);
    void print(std::span<const PrintItem> items);
    void printEmptyLine();

    // Ends the current page and starts the next; page() grows by 1 at once.
    void newPage();
    // Ends the job and releases the printer. Nothing to do when no job is open. The next print
    // operation starts a new job at page 1.
    void endDoc();

    // The height of one printed line of text in the current font, in twips (1440 per inch).
    // Measuring does not open a job.
    double textHeight(const QString& text);

    // The font takes effect for the text printed after it. A font set before the job opens is
    // the font the job starts with.
    void setFont(const PrinterFont& font);
    const PrinterFont& font() const { return m_font; }

    // The page being printed, from 1.
    int page() const { return m_page; }
    bool isPrinting() const { return m_open; }

protected:
    // standardFont is the font the device prints with until told otherwise.
    explicit Printer(PrinterFont standardFont);

    // Opens the job when needed and carries out the page breaks that are due: those asked for by
    // newPage() and the one a full page calls for. Called before anything reaches the device;
    // back ends call it before drawing anything of their own.
    void prepareOutput();

    // The device's side. Each may throw PrinterError.
    // Called at the start of every public operation; a back end that cannot print throws here.
    virtual void checkAvailable() {}
    virtual void openJob() = 0;
    // Places text on the current line starting at column (from 1); the base keeps the columns,
    // so column is never left of text already on the line.
    virtual void putText(int column, const QString& text) = 0;
    virtual void endLine() = 0;
    virtual void breakPage() = 0;
    virtual void closeJob() = 0;
    virtual double measureTextHeight(const QString& text) = 0;
    virtual void applyFont(const PrinterFont& font) = 0;
    // Whether one more line in the current font would run off the page.
    virtual bool pageIsFull() const { return false; }

private:
    void openIfNeeded();
    void putPiece(const QString& text);
    void finishLine();

    PrinterFont m_font;
    bool m_open = false;
    int m_page = 1;
    int m_column = 1;        // where the next character of the current line goes
    int m_lastInk = 0;       // column of the last non-blank character on the line; 0: none
    int m_pendingBreaks = 0; // newPage() calls not yet carried out
};

} // namespace qb
