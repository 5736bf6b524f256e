#pragma once

#include "controls/LXDesigned.h"

#include <QPlainTextEdit>
#include <memory>

class TStrings;

// A multi-line edit; the events of its viewport are routed on its behalf.
class TLXMemo : public QPlainTextEdit, public TLXDesigned
{
public:
    explicit TLXMemo(QWidget *parent = nullptr);
    ~TLXMemo() override;

    QWidget *Widget() override { return this; }

    // The lines, in step with the widget's content.
    TStrings *Lines() { return FLines.get(); }

    QString Text() const override { return toPlainText(); }
    void SetText(const QString &text) override { setPlainText(text); }

    // MaxLength: the most characters the user can bring in; 0 for no limit.
    // Text set by the program is not cut.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value) { FMaxLength = std::max(value, 0); }
    // WantReturns: Enter starts a new line; otherwise it reaches the form
    // and only Ctrl+Enter starts one.
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    // Alignment: the lines' side as the reading order shows it.
    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment horizontal);
    // HideSelection: the selection shows only while the memo has the focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void BevelChanged() override;
    void BiDiModeChanged() override { SetAlignment(FAlignment); }

private:
    // How many more characters fit in place of the selection.
    int Room() const;
    void HideCurrentSelection();
    void RestoreSelection();

    std::unique_ptr<TStrings> FLines;
    Qt::Alignment FAlignment = Qt::AlignLeft;
    int FMaxLength = 0;
    bool FWantReturns = true;
    bool FHideSelection = true;
    // The selection hidden while the focus is away: anchor and position.
    int FHiddenAnchor = -1;
    int FHiddenPosition = -1;
};
