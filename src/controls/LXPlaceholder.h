#pragma once

#include "controls/LXDesigned.h"

#include <QWidget>

// Stands in for a control of a kind this designer does not know, read from
// a layout made elsewhere: a hatched box labelled with the kind, designed
// like any control (selected, moved, resized, deleted) but doing nothing of
// its own. What the layout held for it is kept by the layout reader and
// written back in its place.
class TLXPlaceholder : public QWidget, public TLXDesigned
{
public:
    TLXPlaceholder(const QString &kind, QWidget *parent = nullptr);

    // The size it has when the layout names none.
    static constexpr int DefaultWidth = 100;
    static constexpr int DefaultHeight = 40;

    QWidget *Widget() override { return this; }
    bool TextFollowsName() const override { return false; }
    // The kind name as the layout stores it.
    const QString &Kind() const { return FKind; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString FKind;
};
