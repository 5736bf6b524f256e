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

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    std::unique_ptr<TStrings> FLines;
};
