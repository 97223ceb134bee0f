// A list of choices beside its caption, editable or not (a combo box). Readers name it after its
// caption (TieToCaption), as they name the boxes, and tell its value apart; on this platform Qt
// would name a list by the choice it shows.
#pragma once

#include <QComboBox>

namespace qb {

class ListBox : public QComboBox {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);
};

} // namespace qb
