// A result the window has worked out, shown as a figure padded with blanks so that the figures of
// a column line up. Readers name it after its caption (TieToCaption) and read the figure without
// the padding: "Principal+Interest payment., $908.70".
#pragma once

#include <QLabel>

namespace qb {

class ResultLabel : public QLabel {
    Q_OBJECT

public:
    explicit ResultLabel(QWidget* parent = nullptr);

    // The figure as readers are told it: the text without its padding.
    QString figure() const;
};

} // namespace qb
