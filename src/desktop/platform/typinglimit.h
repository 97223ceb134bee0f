// A limit on how many characters the user may type or paste into a box. Unlike a line edit's
// maximum length it leaves alone the text the program writes into the box itself, so a formatted
// amount or a stored symbol longer than the limit is shown, and read back, whole.
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace qb {

class TypingLimit : public QValidator {
public:
    TypingLimit(int length, QObject* parent) : QValidator(parent), m_length(length) {}

    // A line edit asks this only of the user's own edits; text set by the program is not refused.
    State validate(QString& input, int& /*position*/) const override {
        return input.size() <= m_length ? Acceptable : Invalid;
    }

private:
    int m_length;
};

inline void LimitTyping(QLineEdit* box, int length) {
    box->setValidator(new TypingLimit(length, box));
}

} // namespace qb
