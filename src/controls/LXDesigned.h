#pragma once

#include "controls/ControlStatus.h"
#include "designer/DesignerMessagesHandler.h"
#include "platform/Persistent.h"

#include <QEvent>
#include <QString>
#include <QStringList>

class QWidget;

// What every designed control kind adds to its widget: the owned Comment
// lines, the hidden window text, the caption-follows-name rule and the
// routing of every event through the design-time handler.
class TLXDesigned : public TPersistent
{
public:
    bool IsComponent() const override { return true; }
    std::string ComponentName() const override;

    virtual QWidget *Widget() = 0;

    const QStringList &Comment() const { return FComment; }
    // Copies the lines; the control never keeps the caller's list.
    void SetComment(const QStringList &lines) { FComment = lines; }

    virtual TControlStatus ControlStatus() const { return csDefault; }

    // The Cursor property: a cursor identifier shown over the control.
    int Cursor() const { return FCursor; }
    void SetCursor(int cursor);

    // Gives the control a name; a caption or text that still equals the
    // previous name follows it.
    void SetName(const QString &name);

    // The window text: the caption for kinds that show one.
    virtual QString Text() const { return FText; }
    virtual void SetText(const QString &text) { FText = text; }
    // False for kinds whose text does not follow the name.
    virtual bool TextFollowsName() const { return true; }

    // Offers the event to the handler before and after the widget's own
    // processing, which runs only when the handler lets it.
    template <class BaseEvent>
    bool Route(QEvent *event, BaseEvent &&baseEvent, QWidget *target = nullptr)
    {
        if (event->type() == QEvent::Polish)
            PrepareInnerWidgets();
        TDesignerMessagesHandler *handler = DesignerHandler;
        if (!handler)
            return baseEvent();
        QWidget *self = Widget();
        const TControlStatus status = ControlStatus();
        bool result = true;
        if (handler->BeforeMessage(self, event, status, target))
            result = baseEvent();
        handler->AfterMessage(self, event, status, target);
        return result;
    }

private:
    // Mouse moves reach the handler also while no button is down, so that
    // hovering shows handles and sizing cursors; scroll bars show the
    // control's handles over them.
    void PrepareInnerWidgets();

    QStringList FComment;
    QString FText;
    int FCursor = 0;
    int FNaturalShape = 0;
};

// The designed control behind a widget, or none.
TLXDesigned *AsDesigned(QWidget *widget);

// The inner widgets of a designed control (viewports, editors, scroll bars),
// without the designed controls it holds and their inner widgets.
QList<QWidget *> InnerWidgetsOf(QWidget *control);
