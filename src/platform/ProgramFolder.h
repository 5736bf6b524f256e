#pragma once

#include <QString>

// Where the program keeps its files. Paths end with '/'.
namespace ProgramFolder
{

// The folder of the running executable.
QString Path();

// The folder for files the program writes (previews, mail attachments):
// the executable's folder when it is writable, else the per-user data folder
// (created on demand), as for an installed program.
QString WritablePath();

} // namespace ProgramFolder
