#include "controls/LXListBox.h"

#include "controls/ListBoxDelegate.h"
#include "controls/Strings.h"

#include <QPainter>
#include <QScrollBar>

TLXListBox::TLXListBox(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new TListBoxDelegate(this));
    // A horizontal scroll bar coming or going changes the room for items.
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { FitHeight(); });
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
            FitHeight();
        });
}

TLXListBox::~TLXListBox() = default;

void TLXListBox::SetColumns(int count)
{
    FColumns = std::max(count, 0);
    setFlow(QListView::TopToBottom);
    setWrapping(FColumns > 0);
    Relayout();
}

int TLXListBox::ColumnWidth() const
{
    return FColumns > 0 ? std::max(viewport()->width() / FColumns, 1) : 0;
}

void TLXListBox::SetStyle(int style)
{
    FStyle = style;
    Relayout();
}

bool TLXListBox::OwnerDrawn() const
{
    return FStyle == lbOwnerDrawFixed || FStyle == lbOwnerDrawVariable ||
           FStyle == lbVirtualOwnerDraw;
}

void TLXListBox::SetItemHeight(int height)
{
    // Like the font's height, an item is at least one pixel high.
    if (height <= 0)
        return;
    FItemHeight = height;
    Relayout();
}

void TLXListBox::SetTabWidth(int width)
{
    FTabWidth = std::max(width, 0);
    viewport()->update();
}

qreal TLXListBox::TabStop() const
{
    const int units = FTabWidth > 0 ? FTabWidth : 32;
    return units * fontMetrics().averageCharWidth() / 4.0;
}

void TLXListBox::SetScrollWidth(int width)
{
    FScrollWidth = std::max(width, 0);
    Relayout();
}

void TLXListBox::SetIntegralHeight(bool value)
{
    FIntegralHeight = value;
    FitHeight();
}

void TLXListBox::Relayout()
{
    doItemsLayout();
    viewport()->update();
    FitHeight();
}

void TLXListBox::FitHeight()
{
    // A height that is not the one fitted last was given from outside.
    if (height() != FFittedHeight)
        FGivenHeight = height();
    if (!FIntegralHeight || FFitting)
        return;
    const int row =
        count() > 0 ? sizeHintForRow(0) : (OwnerDrawn() ? FItemHeight : fontMetrics().height());
    const QMargins m = Bevel().Margins();
    const QScrollBar *bar = horizontalScrollBar();
    const Qt::ScrollBarPolicy policy = horizontalScrollBarPolicy();
    const bool barShown = policy == Qt::ScrollBarAlwaysOn ||
                          (policy == Qt::ScrollBarAsNeeded && bar->maximum() > bar->minimum());
    const int chrome =
        2 * frameWidth() + m.top() + m.bottom() + (barShown ? bar->sizeHint().height() : 0);
    if (row <= 0)
        return;
    const int rows = std::max((FGivenHeight - chrome) / row, 1);
    FFittedHeight = chrome + rows * row;
    FFitting = true;
    resize(width(), FFittedHeight);
    FFitting = false;
}

void TLXListBox::keyboardSearch(const QString &search)
{
    if (FAutoComplete || search.isEmpty() || count() == 0) {
        QListWidget::keyboardSearch(search);
        return;
    }
    const QString letter = search.right(1);
    const int start = currentRow();
    for (int i = 1; i <= count(); ++i) {
        const int row = (start + i) % count();
        if (item(row)->text().startsWith(letter, Qt::CaseInsensitive)) {
            setCurrentRow(row);
            return;
        }
    }
}

void TLXListBox::BevelChanged()
{
    // The bevel takes the room between the frame and the items.
    const QMargins m = Bevel().Margins();
    setViewportMargins(m.left(), m.top(), m.right(), m.bottom());
    update();
    FitHeight();
}

bool TLXListBox::event(QEvent *event)
{
    const bool result = Route(event, [&] {
        const bool handled = QListWidget::event(event);
        if (event->type() == QEvent::Paint && Bevel().Kind != TBevel::bkNone) {
            QPainter painter(this);
            Bevel().Paint(painter, contentsRect(), palette());
        }
        return handled;
    });
    switch (event->type()) {
    case QEvent::Resize:
        // Column widths follow the width.
        if (FColumns > 0)
            scheduleDelayedItemsLayout();
        FitHeight();
        break;
    case QEvent::FontChange:
        FitHeight();
        break;
    default:
        break;
    }
    return result;
}

bool TLXListBox::viewportEvent(QEvent *event)
{
    return Route(
        event, [&] { return QListWidget::viewportEvent(event); }, viewport());
}
