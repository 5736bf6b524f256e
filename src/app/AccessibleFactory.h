#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

// Gives screen readers the designer's own interfaces for the widgets the
// toolkit cannot describe by itself: the design surface and property grids.
class TAccessibleFactory
{
public:
    // Installs the factory once; later calls do nothing.
    static void Install();

private:
    static QAccessibleInterface *Create(const QString &className, QObject *object);
};
