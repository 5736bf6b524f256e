#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

// Gives screen readers the designer's own interface for the design surface,
// which the toolkit cannot describe by itself (the property grids install
// theirs with the grid).
class TAccessibleFactory
{
public:
    // Installs the factory once; later calls do nothing.
    static void Install();

private:
    static QAccessibleInterface *Create(const QString &className, QObject *object);
};
