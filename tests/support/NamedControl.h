#pragma once

#include "controls/ControlsFactory.h"
#include "controls/LXDesigned.h"
#include "reflection/TypInfo.h"

#include <QRect>
#include <QWidget>

// Makes a control of a kind inside parent, with a name, a place and, where
// given, a caption: how tests build the layouts they save and export.
inline QWidget *AddNamedControl(const char *kind, QWidget *parent, const char *name, QRect geometry,
                                const char *caption = nullptr)
{
    QWidget *c = ControlsFactory->CreateControlByName(kind, parent);
    AsDesigned(c)->SetName(name);
    c->setGeometry(geometry);
    if (caption)
        TypInfo::SetStrProp(AsDesigned(c), "Caption", caption);
    return c;
}
