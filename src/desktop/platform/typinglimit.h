// Limits on how many characters the user may type or paste into a box. Unlike a line edit's
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

// A limit in characters as the reader counts them (code points: an emoji is one, not the two
// halves a line edit's maximum length counts). Like a maximum length it keeps what fits of a
// typed or pasted text, cutting the end of what was just inserted, before the cursor, and never
// between the two halves of a character.
class CharacterLimit : public QValidator {
public:
    CharacterLimit(int length, QObject* parent) : QValidator(parent), m_length(length) {}

    State validate(QString& input, int& position) const override {
        qsizetype excess = QStringView(input).toUcs4().size() - m_length;
        if (excess <= 0)
            return Acceptable;
        // The box was within the limit before the edit, so the excess lies in what was just
        // inserted, which ends at the cursor.
        qsizetype end = position;
        qsizetype start = end;
        while (excess > 0 && start > 0) {
            --start;
            if (start > 0 && input.at(start).isLowSurrogate() &&
                input.at(start - 1).isHighSurrogate())
                --start;
            --excess;
        }
        if (excess > 0)
            return Invalid;
        input.remove(start, end - start);
        position = static_cast<int>(start);
        return Acceptable;
    }

private:
    int m_length;
};

inline void LimitCharacters(QLineEdit* box, int length) {
    box->setValidator(new CharacterLimit(length, box));
}

} // namespace qb
