// A message-box service for tests that want the real boxes: each box is shown as the program
// shows it and dismissed shortly after it appears.
#pragma once

#include "desktop/platform/qtmessagebox.h"

#include <QApplication>
#include <QTimer>

namespace qb {

class DismissingMessageBox : public MessageBoxService {
public:
    int message(const QString& text, const QString& title, int buttons) override {
        ++shown;
        QTimer::singleShot(100, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        return m_boxes.message(text, title, buttons);
    }
    void beep() override {}

    int shown = 0;

private:
    QtMessageBox m_boxes;
};

} // namespace qb
