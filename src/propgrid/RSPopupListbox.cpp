#include "propgrid/RSPopupListbox.h"

#include "propgrid/RSInplaceEditList.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>

namespace
{
qint64 SteadyMilliseconds()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}
} // namespace

TPopupListbox::TPopupListbox(TRSInplaceEditList *editor)
    : QListWidget(nullptr), Clock(SteadyMilliseconds), FEditor(editor)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hide();
}

void TPopupListbox::SetEntries(const QStringList &entries)
{
    clear();
    FItemHeight = std::max(11, fontMetrics().height());
    for (const QString &entry : entries) {
        auto *item = new QListWidgetItem(entry, this);
        item->setSizeHint(QSize(0, FItemHeight));
    }
}

void TPopupListbox::SelectText(const QString &text)
{
    const auto found = findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    setCurrentItem(found.first());
}

void TPopupListbox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Escape) {
        FSearchText.clear();
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() != 127 &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const qint64 now = Clock();
        if (now - FSearchTime > 2000)
            FSearchText.clear();
        FSearchTime = now;
        if (FSearchText.size() < 32)
            FSearchText += text;
        for (int i = 0; i < count(); ++i)
            if (item(i)->text().startsWith(FSearchText, Qt::CaseInsensitive)) {
                setCurrentRow(i);
                break;
            }
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TPopupListbox::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    // Mouse events of the list arrive in its viewport's coordinates.
    FEditor->ListMouseUp(viewport()->rect().contains(event->pos()));
}
