// A printer that keeps what it is given instead of putting it on paper: each page as lines of
// characters at their columns, the fonts set along the way and the jobs ended. The tests read a
// report back from it, and the command-line tool prints its text.
//
// It has no page length of its own: pages end only where the report ends them. Its line height
// is whatever it is told, so a test can stand in for printers of different line spacing, and it
// can be told to fail on every operation the way a machine without a printer does.
#pragma once

#include "core/print/printer.h"

#include <QList>
#include <QStringList>

namespace qb {

class TextPrinter : public Printer {
public:
    // Where a font was set: the page (from 1) and the index of the next line on that page.
    struct FontChange {
        int page = 1;
        int line = 0;
        PrinterFont font;
    };

    static PrinterFont standardFont() { return {QStringLiteral("Courier"), 12, false}; }

    explicit TextPrinter(double lineHeight = 240);

    // The height textHeight() reports for any text and font, in twips.
    double lineHeight() const { return m_lineHeight; }
    void setLineHeight(double twips) { m_lineHeight = twips; }

    // A failing printer throws PrinterError from every operation.
    bool failing() const { return m_failing; }
    void setFailing(bool failing) { m_failing = failing; }

    // The pages of the latest job. A line holds its characters at their columns with spaces
    // before them; the trailing space of a number is kept.
    const QList<QStringList>& pages() const { return m_pages; }
    // The whole job: lines ended by line feeds, pages separated by form feeds.
    QString text() const;
    // The job as a report reads on paper, for a file or a terminal: each printed line one line
    // with its trailing blanks removed, column c at character c, every line ended by a line
    // feed, and a line holding only a form feed between pages.
    QString reportText() const;
    // Every font set, in order, across jobs.
    const QList<FontChange>& fontHistory() const { return m_fontHistory; }
    // Jobs ended by endDoc().
    int endDocCount() const { return m_endDocCount; }

protected:
    void checkAvailable() override;
    void openJob() override;
    void putText(int column, const QString& text) override;
    void endLine() override;
    void breakPage() override { m_pages.append(QStringList()); }
    void closeJob() override { ++m_endDocCount; }
    double measureTextHeight(const QString&) override { return m_lineHeight; }
    void applyFont(const PrinterFont& font) override;

private:
    double m_lineHeight;
    bool m_failing = false;
    QList<QStringList> m_pages;
    QString m_line; // the line being built
    QList<FontChange> m_fontHistory;
    int m_endDocCount = 0;
};

} // namespace qb
