// Real message boxes, over the window that asks, and the system beep.
#pragma once

#include "core/program/messagebox.h"

#include <QPointer>
#include <QWidget>

namespace qb {

class QtMessageBox : public MessageBoxService {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    int message(const QString& text, const QString& title, int buttons = MbOk) override;
    void beep() override;

private:
    QWidget* owner() const;

    QPointer<QWidget> m_parent;
};

// The hourglass for a long operation. The normal pointer comes back when this goes out of
// scope, on every way out, errors included.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace qb
