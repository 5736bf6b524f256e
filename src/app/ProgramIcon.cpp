#include "app/ProgramIcon.h"

#include <QIcon>

QIcon ProgramIcon()
{
    // The resources sit in a static library; naming them here links them in.
    Q_INIT_RESOURCE(AppResources);
    QIcon icon;
    for (int size : {32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/app/formdesigner-%1.png").arg(size), QSize(size, size));
    return icon;
}
