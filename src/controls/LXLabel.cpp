#include "controls/LXLabel.h"

#include <QEvent>
#include <QPainter>

TLXLabel::TLXLabel(QWidget *parent) : QLabel(parent)
{
    // A caption is shown as typed, never read as markup.
    setTextFormat(Qt::PlainText);
    resize(65, 17);
}

void TLXLabel::SetText(const QString &text)
{
    FCaption = text;
    ApplyCaption();
}

void TLXLabel::SetShowAccelChar(bool value)
{
    if (value == FShowAccelChar)
        return;
    FShowAccelChar = value;
    ApplyCaption();
}

void TLXLabel::SetFocusControl(QWidget *control)
{
    if (control == FFocusControl)
        return;
    FFocusControl = control;
    ApplyCaption();
}

void TLXLabel::ApplyCaption()
{
    // The toolkit reads accelerators only in a label with a buddy; without
    // a focus control the label is its own, so the marks still show.
    QWidget *buddy = FFocusControl ? FFocusControl.data() : (FShowAccelChar ? this : nullptr);
    const bool reread = buddy != this->buddy();
    setBuddy(buddy);
    // The label measures its text again only when the text changes.
    if (reread)
        setText(QString());
    QString shown = FCaption;
    if (!FShowAccelChar && buddy)
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    setText(shown);
    // While a layout is read the size read with the caption stands.
    if (!Updating())
        AdjustToCaption();
}

void TLXLabel::SetTransparent(bool value)
{
    FTransparent = value;
    ApplyColor();
}

void TLXLabel::SetAlignment(Qt::Alignment horizontal)
{
    FAlignment = horizontal & Qt::AlignHorizontal_Mask;
    setAlignment(ShownAlignment(FAlignment) | (alignment() & Qt::AlignVertical_Mask));
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

void TLXLabel::BevelChanged()
{
    // The frame and the text stand inside the bevel.
    setFrameRect(QRect(QPoint(), size()).marginsRemoved(Bevel().Margins()));
    AdjustToCaption();
    update();
}

void TLXLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    Bevel().Paint(painter, rect(), palette());
}

bool TLXLabel::event(QEvent *event)
{
    const bool result = Route(event, [&] { return QLabel::event(event); });
    if (event->type() == QEvent::FontChange && !Updating())
        AdjustToCaption();
    return result;
}
