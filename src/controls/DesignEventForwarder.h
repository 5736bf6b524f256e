#pragma once

#include <QObject>

class QWidget;
class TLXDesigned;

// Routes the events of a composite control's inner widget (a combo box's
// editor, for example) through the design-time handler on behalf of the
// owning control, keeping the order: before-hook, own processing only when
// allowed, after-hook.
class TDesignEventForwarder : public QObject
{
public:
    TDesignEventForwarder(TLXDesigned *owner, bool paintOnly, QObject *parent);

    // Installs a forwarder on inner for owner, once.
    static void Attach(TLXDesigned *owner, QWidget *inner);
    // Routes only the paint events of inner, so that the owner's handles are
    // drawn over it (a scroll bar), while its input stays its own.
    static void AttachPaint(TLXDesigned *owner, QWidget *inner);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static void Install(TLXDesigned *owner, QWidget *inner, bool paintOnly);

    TLXDesigned *FOwner;
    bool FPaintOnly;
    QEvent *FCurrent = nullptr;
};
