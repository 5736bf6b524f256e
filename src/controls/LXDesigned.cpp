#include "controls/LXDesigned.h"

#include "controls/Cursors.h"
#include "controls/DesignEventForwarder.h"
#include "platform/CodePage.h"

#include <QScrollBar>
#include <QWidget>

std::string TLXDesigned::ComponentName() const
{
    return CodePage::FromQString(const_cast<TLXDesigned *>(this)->Widget()->objectName());
}

void TLXDesigned::SetName(const QString &name)
{
    QWidget *w = Widget();
    if (TextFollowsName() && Text() == w->objectName())
        SetText(name);
    w->setObjectName(name);
}

void TLXDesigned::SetCursor(int cursor)
{
    QWidget *w = Widget();
    // crDefault shows the widget's own cursor (an I-beam over an edit box).
    if (FCursor == crDefault)
        FNaturalShape = w->cursor().shape();
    FCursor = cursor;
    w->setCursor(cursor == crDefault ? static_cast<Qt::CursorShape>(FNaturalShape)
                                     : CursorShapeOf(cursor));
}

void TLXDesigned::PrepareInnerWidgets()
{
    QWidget *w = Widget();
    w->setMouseTracking(true);
    for (QWidget *inner : InnerWidgetsOf(w)) {
        inner->setMouseTracking(true);
        if (qobject_cast<QScrollBar *>(inner))
            TDesignEventForwarder::AttachPaint(this, inner);
    }
}

TLXDesigned *AsDesigned(QWidget *widget)
{
    return dynamic_cast<TLXDesigned *>(widget);
}

QList<QWidget *> InnerWidgetsOf(QWidget *control)
{
    QList<QWidget *> result;
    for (QWidget *inner : control->findChildren<QWidget *>()) {
        QWidget *owner = inner;
        while (owner && owner != control && !AsDesigned(owner))
            owner = owner->parentWidget();
        if (owner == control)
            result.append(inner);
    }
    return result;
}
