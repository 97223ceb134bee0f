// The caption beside a box or a result. Captions were written with runs of blanks where their
// lines are meant to part: where a caption does not fit on one line of its label it breaks at
// those runs first, and only then between words. The label's lines are no wider than the
// caption's widest piece between runs, so a caption shows in the lines it was written in however
// wide the column it sits in. The text itself is kept exactly as given.
#pragma once

#include <QLabel>
#include <QStringList>

namespace qb {

class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    explicit CaptionLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // The lines the caption is shown in when its text may be width pixels wide.
    QStringList shownLines(int width) const;
    // The lines it is shown in now.
    QStringList lines() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int widestPiece() const;
    QSize sizeForTextWidth(int width) const;
};

} // namespace qb
