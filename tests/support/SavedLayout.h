#pragma once

#include "designer/LXControlsContainer.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

// The bytes the design surface writes when saved, through a file in dir:
// how the window tests compare a design before and after a change.
inline std::string SavedLayout(TLXControlsContainer &surface, const QTemporaryDir &dir)
{
    const QString file = dir.filePath(QStringLiteral("saved-layout.xml"));
    surface.SaveLayout(file);
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll().toStdString();
}
