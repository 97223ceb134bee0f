// The column and page rules shared by every printer back end; see printer.h.
#include "core/shell/printer.h"

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
    const qsizetype start = qsizetype(column) + width - text.size();
    return {int(std::max<qsizetype>(1, start)), true, text};
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
            const int target = item.keepOnLine ? std::max(item.column, m_column) : item.column;
            if (target < m_column) {
                finishLine();
                prepareOutput();
            }
            m_column = target;
        }
        if (!item.text.isEmpty()) {
            putText(m_column, item.text);
            m_column += int(item.text.size());
        }
    }
    finishLine();
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
}

} // namespace qb
