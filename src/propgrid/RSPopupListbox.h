#pragma once

#include <QListWidget>
#include <functional>

class TRSInplaceEditList;

// The floating drop-down list of the in-place editor: a top-most tool window
// that never takes the focus, with incremental search by typed characters.
class TPopupListbox : public QListWidget
{
    Q_OBJECT
public:
    explicit TPopupListbox(TRSInplaceEditList *editor);

    int ItemHeight() const { return FItemHeight; }
    // Replaces the entries; every entry is ItemHeight pixels high.
    void SetEntries(const QStringList &entries);
    // Selects the entry equal to the text, or none.
    void SelectText(const QString &text);
    QString SearchText() const { return FSearchText; }

    // Milliseconds of a steady clock; tests replace it.
    std::function<qint64()> Clock;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TRSInplaceEditList *FEditor;
    QString FSearchText;
    qint64 FSearchTime = 0;
    int FItemHeight = 11;
};
