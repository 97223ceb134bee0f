// The column and page rules shared by every printer back end; see printer.h.
#include "core/print/printer.h"

#include <QStringList>

#include <algorithm>
#include <utility>

namespace qb {

PrintItem At(int column) {
    return {std::max(1, column), false, {}};
}

PrintItem Text(const QString& text) {
    return {0, false, text};
}

PrintItem Number(qint64 value) {
    QString text = QString::number(value);
    if (value >= 0)
        text.prepend(QLatin1Char(' '));
    text.append(QLatin1Char(' '));
    return {0, false, text};
}

PrintItem Placed(int column, int width, const QString& text) {
    qsizetype blanks = 0;
    while (blanks < text.size() && text.at(blanks) == QLatin1Char(' '))
        ++blanks;
    const QString shown = text.mid(blanks);
    const qsizetype start = qsizetype(column) + width - shown.size();
    return {int(std::max<qsizetype>(1, start)), true, shown};
}

Printer::Printer(PrinterFont standardFont) : m_font(std::move(standardFont)) {}

void Printer::print(std::initializer_list<PrintItem> items) {
    print(std::span<const PrintItem>(items.begin(), items.size()));
}

void Printer::print(std::span<const PrintItem> items) {
    checkAvailable();
    prepareOutput();
    for (const PrintItem& item : items) {
        if (item.column > 0) {
            int target = item.column;
            if (item.keepOnLine)
                target = std::max({target, m_column, m_lastInk > 0 ? m_lastInk + 2 : 1});
            if (target < m_column) {
                finishLine();
                prepareOutput();
            }
            m_column = target;
        }
        // A CR LF inside a text ends the line there; what follows starts at column 1.
        const QStringList pieces = item.text.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0) {
                finishLine();
                prepareOutput();
            }
            putPiece(pieces.at(i));
        }
    }
    finishLine();
}

void Printer::putPiece(const QString& text) {
    if (text.isEmpty())
        return;
    putText(m_column, text);
    qsizetype last = text.size() - 1;
    while (last >= 0 && text.at(last) == QLatin1Char(' '))
        --last;
    if (last >= 0)
        m_lastInk = m_column + int(last);
    m_column += int(text.size());
}

void Printer::printEmptyLine() {
    print({});
}

void Printer::newPage() {
    checkAvailable();
    openIfNeeded();
    ++m_pendingBreaks;
    ++m_page;
}

void Printer::endDoc() {
    checkAvailable();
    if (!m_open)
        return;
    // The printer is released even when the device reports a failure on the way out, so the
    // next report starts a fresh job instead of writing into a broken one.
    m_open = false;
    m_pendingBreaks = 0;
    m_page = 1;
    m_column = 1;
    m_lastInk = 0;
    closeJob();
}

double Printer::textHeight(const QString& text) {
    checkAvailable();
    return measureTextHeight(text);
}

void Printer::setFont(const PrinterFont& font) {
    checkAvailable();
    applyFont(font);
    m_font = font;
}

void Printer::openIfNeeded() {
    if (m_open)
        return;
    openJob();
    m_open = true;
    m_page = 1;
    m_column = 1;
    m_pendingBreaks = 0;
}

void Printer::prepareOutput() {
    openIfNeeded();
    for (; m_pendingBreaks > 0; --m_pendingBreaks)
        breakPage();
    if (pageIsFull()) {
        breakPage();
        ++m_page;
    }
}

void Printer::finishLine() {
    endLine();
    m_column = 1;
    m_lastInk = 0;
}

} // namespace qb
