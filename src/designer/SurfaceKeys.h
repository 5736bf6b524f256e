#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;
class TDesignHistory;

// The keyboard on the design surface: arrows move the selection by a pixel,
// Ctrl+arrows by the grid step, Shift+arrows resize it; Esc selects the
// parent container (or nothing at the top level); Ctrl+A selects every
// control of the current container.
class TSurfaceKeys : public QObject
{
public:
    TSurfaceKeys(TDesignHistory &history, QWidget *surface);

    // Answers whether the key was a design key and was handled.
    bool HandleKey(QKeyEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static bool IsDesignKey(const QKeyEvent *event);

    TDesignHistory &FHistory;
    QWidget *FSurface;
};
