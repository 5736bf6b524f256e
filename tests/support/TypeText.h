#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

// Types text into a widget one character at a time, as a keyboard layout
// of the user's language would deliver it: QTest's own typing knows only
// the characters of a Latin keyboard.
inline void TypeText(QWidget *widget, const QString &text)
{
    for (char32_t c : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                            Qt::NoModifier);
}
