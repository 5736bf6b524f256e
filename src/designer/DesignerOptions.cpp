#include "designer/DesignerOptions.h"

#include "designer/DesignerMessagesHandler.h"
#include "platform/SettingsFile.h"

#include <QSettings>

namespace
{

const QString GridStepKey = QStringLiteral("Designer/GridStep");
const QString ShowGridKey = QStringLiteral("Designer/ShowGrid");
const QString SnapToGridKey = QStringLiteral("Designer/SnapToGrid");
const QString SnapToGuidesKey = QStringLiteral("Designer/SnapToGuides");

} // namespace

void TDesignerOptions::Restore(TDesignerMessagesHandler &handler)
{
    const std::unique_ptr<QSettings> settings = SettingsFile::Open();
    bool ok = false;
    const int step = settings->value(GridStepKey).toInt(&ok);
    if (ok && step >= 1 && step <= MaxGridStep)
        handler.GridStep = step;
    handler.ShowGrid = settings->value(ShowGridKey, handler.ShowGrid).toBool();
    handler.SnapToGrid = settings->value(SnapToGridKey, handler.SnapToGrid).toBool();
    handler.SnapToGuides = settings->value(SnapToGuidesKey, handler.SnapToGuides).toBool();
}

void TDesignerOptions::Store(const TDesignerMessagesHandler &handler)
{
    const std::unique_ptr<QSettings> settings = SettingsFile::Open();
    settings->setValue(GridStepKey, handler.GridStep);
    settings->setValue(ShowGridKey, handler.ShowGrid);
    settings->setValue(SnapToGridKey, handler.SnapToGrid);
    settings->setValue(SnapToGuidesKey, handler.SnapToGuides);
    SettingsFile::Save(*settings);
}
