#pragma once

#include "controls/LXDesigned.h"

#include <QListWidget>

// A list box; the events of its viewport are routed on its behalf.
class TLXListBox : public QListWidget, public TLXDesigned
{
public:
    explicit TLXListBox(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
};
