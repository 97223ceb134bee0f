// What the window tests share: finding a control by its name, and showing a window as the
// active one, since the focus moves only inside the active window.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace qb {

// The named control of window; a missing control ends the test run with its name.
template <class T> T* Control(const QWidget* window, const QString& name) {
    T* widget = window->findChild<T*>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

[[nodiscard]] inline bool ShowActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

} // namespace qb
