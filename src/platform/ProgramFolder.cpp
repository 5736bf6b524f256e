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
    return WritablePathFor(QCoreApplication::applicationDirPath());
}

QString WritablePathFor(const QString &programFolder)
{
    const QString &exe = programFolder;
    const bool installed = QFileInfo::exists(exe + QStringLiteral("/../share/formdesigner"));
    if (!installed && QFileInfo(exe).isWritable())
        return exe + '/';
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data + '/';
}

} // namespace ProgramFolder
