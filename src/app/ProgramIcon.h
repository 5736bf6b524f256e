#pragma once

#include <QIcon>

// The program's icon in the sizes the desktop asks for.
QIcon ProgramIcon();
