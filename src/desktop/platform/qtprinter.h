// The printer on paper: the system's default printer, or a PDF file in the user's documents
// folder when no printer is installed, drawn with QPainter.
//
// Column n starts at (n - 1) times the width of "0" in the current font, so fixed-pitch fonts
// line the columns up; the standard font is the system's fixed-pitch font at 12 points. Lines go
// top-down from the top margin at the font's line spacing. A page that has no room for another
// line is ended and the next started before the line is printed.
//
// A PDF is drawn by the PDF writer into an OutputFile: the file appears, whole, only when the job
// ends with every byte written; a file that cannot be written is thrown as FileSaveError.
#pragma once

#include "core/print/printer.h"

#include <QFont>
#include <QPainter>

#include <memory>

class QDateTime;
class QImage;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace qb {

class OutputFile;

// The PDF file could not be written (opened, filled or put in place); what() says why. The
// file is then as it was before the job.
class FileSaveError : public PrinterError {
public:
    using PrinterError::PrinterError;
};

class QtPrinter : public Printer {
public:
    // The default printer when one is installed; otherwise a PDF named after the report and the
    // time its job starts, in the documents folder (see outputFile()).
    explicit QtPrinter(const QString& reportName);
    // Always a PDF file at pdfPath.
    QtPrinter(const QString& reportName, const QString& pdfPath);
    // A printer the caller has set up, used as it is.
    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    // A job still open is ended, so what was printed is not lost.
    ~QtPrinter() override;

    // The PDF file the latest job writes, so the user can be told where it is; empty when the
    // output goes to a printer or before the first job starts.
    QString outputFile() const;

    // Sheets started in the latest job.
    int sheetCount() const { return m_sheets; }

    // Prints the image of a window below what is already on the page, scaled to the page width
    // (and down to the page height when it is taller). An image that does not fit in what is
    // left of the page goes on the next page.
    void printImage(const QImage& image);

    // "Mortgage Table 2026-12-08 2130.pdf" in folder, with " (2)", " (3)"... added when such a
    // file already exists. Characters a file name cannot hold become "-".
    static QString pdfFileName(const QString& reportName, const QDateTime& time,
                               const QString& folder);

    static PrinterFont standardFont();

protected:
    void openJob() override;
    void putText(int column, const QString& text) override;
    void endLine() override;
    void breakPage() override;
    void closeJob() override;
    double measureTextHeight(const QString& text) override;
    void applyFont(const PrinterFont& font) override;
    bool pageIsFull() const override;

private:
    // Sets up the PDF route: the writer, its page and the file it fills.
    void setUpPdf(const QString& reportName);
    double lineSpacing() const; // device pixels

    std::unique_ptr<QPrinter> m_printer;   // a printer; null for a PDF
    std::unique_ptr<OutputFile> m_output;  // the PDF's file
    std::unique_ptr<QPdfWriter> m_pdf;     // after m_output: goes before the file it writes
    QPagedPaintDevice* m_device = nullptr; // m_printer or m_pdf
    QPainter m_painter;                    // after the devices: ends before they go
    QFont m_qfont;
    QString m_reportName;
    QString m_pdfPath;   // the PDF the latest job writes
    QString m_pdfFolder; // set when each job gets a new file in this folder
    double m_y = 0;      // top of the next line, device pixels from the top margin
    int m_sheets = 0;
};

} // namespace qb
