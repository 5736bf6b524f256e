#include "app/AccessibleFactory.h"

#include "app/SurfaceAccessible.h"
#include "designer/LXControlsContainer.h"

#include <QAccessible>

void TAccessibleFactory::Install()
{
    // The toolkit keeps a factory only once.
    QAccessible::installFactory(&TAccessibleFactory::Create);
}

QAccessibleInterface *TAccessibleFactory::Create(const QString &, QObject *object)
{
    if (auto *surface = dynamic_cast<TLXControlsContainer *>(object))
        return new TSurfaceAccessible(surface);
    return nullptr;
}
