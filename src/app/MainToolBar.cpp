#include "app/MainToolBar.h"

#include "app/ToolIcons.h"

#include <QAction>

TMainToolBar::TMainToolBar(const TCommands &c, QWidget *parent)
    : QToolBar(QStringLiteral("Tool Bar"), parent)
{
    setObjectName(QStringLiteral("MainToolBar"));
    const auto add = [this](QAction *action, const char *theme, TToolIcons::TGlyph glyph) {
        action->setIcon(TToolIcons::Icon(QString::fromLatin1(theme), glyph));
        addAction(action);
    };
    add(c.New, "document-new", TToolIcons::New);
    add(c.Open, "document-open", TToolIcons::Open);
    add(c.Save, "document-save", TToolIcons::Save);
    addSeparator();
    add(c.Undo, "edit-undo", TToolIcons::Undo);
    add(c.Redo, "edit-redo", TToolIcons::Redo);
    addSeparator();
    add(c.Cut, "edit-cut", TToolIcons::Cut);
    add(c.Copy, "edit-copy", TToolIcons::Copy);
    add(c.Paste, "edit-paste", TToolIcons::Paste);
    add(c.Delete, "edit-delete", TToolIcons::Delete);
    addSeparator();
    add(c.BringToFront, "object-order-front", TToolIcons::BringToFront);
    add(c.SendToBack, "object-order-back", TToolIcons::SendToBack);
    add(c.Alignment, "align-horizontal-left", TToolIcons::Alignment);
    addSeparator();
    add(c.Preview, "document-preview", TToolIcons::Preview);
    add(c.Html, "text-html", TToolIcons::Html);
}
