// What screen readers are told of the windows' controls. Every box, list, option, grid and result
// figure is named after the caption the user sees beside it, made into one plain line: runs of
// blanks (where a caption parts its lines) become one blank, the ends are trimmed and the "&"
// that marks an access key is dropped. Names are always made from the captions, never written
// out a second time, so they cannot drift apart.
//
// A caption is tied to its field as the field's label (QLabel::setBuddy), which readers follow to
// say what a field is. The program's own top-level windows read as windows; a ListBox reads as its
// caption, not its value; a ResultLabel reads as its caption followed by its figure without the
// blanks that pad it.
#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace qb {

// "  Principal+Interest  payment." gives "Principal+Interest payment."; " To &Printer" gives
// "To Printer"; "&&" stands for one "&".
QString AccessibleName(const QString& caption);

// Names field for readers; a control made of parts (a grid, an editable list) names the part the
// focus goes to as well.
void NameForReaders(QWidget* field, const QString& name);

// Ties field to the caption beside it: the caption becomes the field's label, and both are named
// after the caption's text as it is now. A caption whose text changes is tied again.
void TieToCaption(QWidget* field, QLabel* caption);

// Names a button after its own caption. Only for captions that never change: Qt names every other
// button from its caption as it is at the time.
void NameAfterOwnCaption(QAbstractButton* button);

} // namespace qb
