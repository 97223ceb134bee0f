#include "desktop/platform/captionlabel.h"

#include <QPainter>
#include <QRegularExpression>
#include <QStyle>

#include <algorithm>

namespace qb {

namespace {

// The caption's own line breaks: runs of two or more blanks.
QStringList piecesOf(const QString& caption) {
    static const QRegularExpression run(QStringLiteral(" {2,}"));
    return caption.split(run, Qt::SkipEmptyParts);
}

} // namespace

CaptionLabel::CaptionLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QStringList CaptionLabel::shownLines(int width) const {
    const QFontMetrics metrics(font());
    const QString caption = text();
    if (metrics.horizontalAdvance(caption) <= width)
        return {caption};
    QStringList lines;
    for (const QString& piece : piecesOf(caption)) {
        // A piece still too wide for the label breaks between its words.
        const QStringList words = piece.split(u' ');
        QString line = words.first();
        for (qsizetype i = 1; i < words.size(); ++i) {
            const QString longer = line + u' ' + words[i];
            if (!line.trimmed().isEmpty() && metrics.horizontalAdvance(longer) > width) {
                lines << line;
                line = words[i];
            } else {
                line = longer;
            }
        }
        lines << line;
    }
    return lines;
}

QStringList CaptionLabel::lines() const {
    return shownLines(std::min(contentsRect().width(), widestPiece()));
}

int CaptionLabel::widestPiece() const {
    int width = 0;
    for (const QString& piece : piecesOf(text()))
        width = std::max(width, fontMetrics().horizontalAdvance(piece));
    return width;
}

QSize CaptionLabel::sizeForTextWidth(int width) const {
    const QMargins margins = contentsMargins();
    const int lines = static_cast<int>(shownLines(std::min(width, widestPiece())).size());
    return {width + margins.left() + margins.right(),
            lines * fontMetrics().lineSpacing() + margins.top() + margins.bottom()};
}

QSize CaptionLabel::sizeHint() const {
    return sizeForTextWidth(widestPiece());
}

QSize CaptionLabel::minimumSizeHint() const {
    int width = 0;
    for (const QString& word : text().split(u' ', Qt::SkipEmptyParts))
        width = std::max(width, fontMetrics().horizontalAdvance(word));
    return sizeForTextWidth(width);
}

int CaptionLabel::heightForWidth(int width) const {
    const QMargins margins = contentsMargins();
    return sizeForTextWidth(width - margins.left() - margins.right()).height();
}

void CaptionLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QStringList lines = this->lines();
    const int lineHeight = fontMetrics().lineSpacing();
    int top = area.top() + std::max(0, (area.height() - lineHeight * int(lines.size())) / 2);
    for (const QString& line : lines) {
        style()->drawItemText(&painter, QRect(area.left(), top, area.width(), lineHeight),
                              Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), line,
                              foregroundRole());
        top += lineHeight;
    }
}

} // namespace qb
