#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder
{

QString Path()
{
    return QCoreApplication::applicationDirPath() + '/';
}

QString WritablePath()
{
    const QString exe = QCoreApplication::applicationDirPath();
    if (QFileInfo(exe).isWritable())
        return exe + '/';
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data + '/';
}

} // namespace ProgramFolder
