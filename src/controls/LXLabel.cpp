#include "controls/LXLabel.h"

#include <QEvent>

TLXLabel::TLXLabel(QWidget *parent) : QLabel(parent)
{
    // A caption is shown as typed, never read as markup.
    setTextFormat(Qt::PlainText);
    resize(65, 17);
}

void TLXLabel::SetText(const QString &text)
{
    setText(text);
    AdjustToCaption();
}

void TLXLabel::SetAutoSize(bool value)
{
    FAutoSize = value;
    AdjustToCaption();
}

void TLXLabel::AdjustToCaption()
{
    if (FAutoSize)
        resize(sizeHint());
}

bool TLXLabel::event(QEvent *event)
{
    const bool result = Route(event, [&] { return QLabel::event(event); });
    if (event->type() == QEvent::FontChange && !Updating())
        AdjustToCaption();
    return result;
}
