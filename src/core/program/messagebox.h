// The message boxes and the warning beep of the windows, behind one small service so that the
// windows can be driven in tests without anything popping up: the Qt implementation shows real
// boxes, the recording one keeps what would have been shown and answers as told.
#pragma once

#include <QString>

#include <vector>

namespace qb {

// The buttons and icon of a box, and its answers, as the windows know them.
enum MessageButtons { MbOk = 0, MbYesNo = 4, MbInformation = 64 };
enum MessageAnswer { AnswerOk = 1, AnswerYes = 6, AnswerNo = 7 };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows text with title and waits for the answer.
    virtual int message(const QString& text, const QString& title, int buttons = MbOk) = 0;
    virtual void beep() = 0;
};

class RecordingMessageBox : public MessageBoxService {
public:
    struct Shown {
        QString text;
        QString title;
        int buttons;
    };

    int message(const QString& text, const QString& title, int buttons = MbOk) override {
        shown.push_back({text, title, buttons});
        return (buttons & MbYesNo) == MbYesNo ? answer : AnswerOk;
    }
    void beep() override { ++beeps; }

    std::vector<Shown> shown;
    int beeps = 0;
    int answer = AnswerYes; // the answer to Yes/No questions
};

} // namespace qb
