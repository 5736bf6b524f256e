#pragma once

#include <QIcon>

// The tool bar's icons: the desktop icon theme's where it has one, else a
// simple drawing of our own, so that every command shows an icon on a bare
// system too.
class TToolIcons
{
public:
    enum TGlyph {
        New,
        Open,
        Save,
        Undo,
        Redo,
        Cut,
        Copy,
        Paste,
        Delete,
        BringToFront,
        SendToBack,
        Alignment,
        Preview,
        Html
    };

    // The theme's icon of that name, or the drawn glyph.
    static QIcon Icon(const QString &themeName, TGlyph glyph);
    // The drawn glyph alone.
    static QIcon Drawn(TGlyph glyph);
};
