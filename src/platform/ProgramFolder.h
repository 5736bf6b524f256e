#pragma once

#include <QString>

// Where the program keeps its files. Paths end with '/'.
namespace ProgramFolder
{

// The folder of the running executable.
QString Path();

// The folder for files the program writes (previews, mail attachments):
// the executable's folder when it is writable and not the folder of an
// installation (beside a share/formdesigner folder, where a package manager
// owns every file), else the per-user data folder (created on demand).
QString WritablePath();
QString WritablePathFor(const QString &programFolder);

} // namespace ProgramFolder
