#pragma once

#include "controls/LXDesigned.h"

#include <QListWidget>
#include <memory>

class TStrings;

// A list box; the events of its viewport are routed on its behalf.
class TLXListBox : public QListWidget, public TLXDesigned
{
public:
    explicit TLXListBox(QWidget *parent = nullptr);
    ~TLXListBox() override;

    QWidget *Widget() override { return this; }

    // The items, in step with the widget's content.
    TStrings *Items() { return FItems.get(); }

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    std::unique_ptr<TStrings> FItems;
};
