#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

// Shows a window at a size and makes it the active one, as focus and
// keyboard tests need it: keys reach only an active window. False when the
// window did not become active.
inline bool ShowActive(QWidget &window, QSize size)
{
    window.resize(size);
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}
