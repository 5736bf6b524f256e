#include "controls/LXComboBox.h"

#include "controls/DesignEventForwarder.h"
#include "controls/Strings.h"

#include <QLineEdit>

TLXComboBox::TLXComboBox(QWidget *parent) : QComboBox(parent)
{
    SetEditable(true);
    resize(145, sizeHint().height());
    FItems = std::make_unique<TStrings>(
        [this] {
            QStringList lines;
            for (int i = 0; i < count(); ++i)
                lines.append(itemText(i));
            return lines;
        },
        [this](const QStringList &lines) {
            // Replacing the items keeps the typed text and, where it still
            // exists, the chosen item.
            const int index = FPendingIndex >= 0 ? FPendingIndex : currentIndex();
            FPendingIndex = -1;
            const QString text = currentText();
            QStringList items = lines;
            if (FSorted)
                items.sort(Qt::CaseInsensitive);
            clear();
            addItems(items);
            setCurrentIndex(index < count() ? index : -1);
            if (isEditable())
                setEditText(text);
        });
}

TLXComboBox::~TLXComboBox() = default;

void TLXComboBox::SetEditable(bool editable)
{
    if (editable && !isEditable()) {
        // A line edit of the box's own makes it editable without building
        // the drop-down list at once, as switching the toolkit's flag does;
        // the list is built when it is first shown. Layouts hold thousands
        // of these boxes.
        auto *edit = new QLineEdit(this);
        edit->setPalette(palette());
        setLineEdit(edit);
    } else {
        setEditable(editable);
    }
    if (lineEdit())
        TDesignEventForwarder::Attach(this, lineEdit());
}

void TLXComboBox::SetItemIndex(int index)
{
    const bool inRange = index >= 0 && index < count();
    FPendingIndex = inRange ? -1 : index;
    setCurrentIndex(inRange ? index : -1);
}

void TLXComboBox::SetSorted(bool value)
{
    FSorted = value;
    if (value)
        FItems->SetLines(FItems->Lines());
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
