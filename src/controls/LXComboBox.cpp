#include "controls/LXComboBox.h"

#include "controls/DesignEventForwarder.h"

#include <QLineEdit>

TLXComboBox::TLXComboBox(QWidget *parent) : QComboBox(parent)
{
    SetEditable(true);
    resize(145, sizeHint().height());
}

void TLXComboBox::SetEditable(bool editable)
{
    setEditable(editable);
    if (lineEdit())
        TDesignEventForwarder::Attach(this, lineEdit());
}

void TLXComboBox::SetText(const QString &text)
{
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text));
}

bool TLXComboBox::event(QEvent *event)
{
    return Route(event, [&] { return QComboBox::event(event); });
}
