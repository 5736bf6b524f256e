#pragma once

#include <memory>

class QSettings;

// The designer's settings between runs. They are kept in a file that is
// replaced whole or not at all, and a write that fails is reported with its
// reason instead of leaving a cut file behind.
namespace SettingsFile
{

std::unique_ptr<QSettings> Open();

// Writes the changes made through settings; raises "Cannot save the
// settings ..." with the reason when the file cannot be written.
void Save(QSettings &settings);

} // namespace SettingsFile
