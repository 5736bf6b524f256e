#include "controls/LXListBox.h"

#include "controls/Strings.h"

TLXListBox::TLXListBox(QWidget *parent) : QListWidget(parent)
{
    resize(121, 97);
    FItems = std::make_unique<TStrings>(
        [this] {
            QStringList lines;
            for (int i = 0; i < count(); ++i)
                lines.append(item(i)->text());
            return lines;
        },
        [this](const QStringList &lines) {
            const int row = currentRow();
            clear();
            addItems(lines);
            if (row < count())
                setCurrentRow(row);
        });
}

TLXListBox::~TLXListBox() = default;

bool TLXListBox::event(QEvent *event)
{
    return Route(event, [&] { return QListWidget::event(event); });
}

bool TLXListBox::viewportEvent(QEvent *event)
{
    return Route(
        event, [&] { return QListWidget::viewportEvent(event); }, viewport());
}
