// The recording printer: pages of text lines, the fonts set along the way and the jobs ended.
#include "core/print/textprinter.h"

namespace qb {

TextPrinter::TextPrinter(double lineHeight) : Printer(standardFont()), m_lineHeight(lineHeight) {}

QString TextPrinter::text() const {
    QStringList pages;
    for (const QStringList& lines : m_pages) {
        QString page;
        for (const QString& line : lines)
            page += line + QLatin1Char('\n');
        pages.append(page);
    }
    return pages.join(QLatin1Char('\f'));
}

QString TextPrinter::reportText() const {
    QString text;
    for (qsizetype page = 0; page < m_pages.size(); ++page) {
        if (page > 0)
            text += QStringLiteral("\f\n");
        for (const QString& line : m_pages.at(page)) {
            qsizetype end = line.size();
            while (end > 0 && line.at(end - 1) == QLatin1Char(' '))
                --end;
            text += QStringView(line).left(end);
            text += QLatin1Char('\n');
        }
    }
    return text;
}

void TextPrinter::checkAvailable() {
    if (m_failing)
        throw PrinterError(QStringLiteral("No printer is installed."));
}

void TextPrinter::openJob() {
    m_pages = {QStringList()};
    m_line.clear();
}

void TextPrinter::putText(int column, const QString& text) {
    const qsizetype start = column - 1;
    if (m_line.size() < start)
        m_line.append(QString(start - m_line.size(), QLatin1Char(' ')));
    m_line.replace(start, text.size(), text);
}

void TextPrinter::endLine() {
    m_pages.last().append(m_line);
    m_line.clear();
}

void TextPrinter::applyFont(const PrinterFont& font) {
    // A page break asked for but not yet carried out puts the next line at the top of page().
    const bool onCurrentPage = isPrinting() && m_pages.size() == page();
    m_fontHistory.append({page(), onCurrentPage ? int(m_pages.last().size()) : 0, font});
}

} // namespace qb
