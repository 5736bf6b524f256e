#include "controls/LXDesigned.h"

#include "controls/Cursors.h"

#include <QWidget>

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

TLXDesigned *AsDesigned(QWidget *widget)
{
    return dynamic_cast<TLXDesigned *>(widget);
}
