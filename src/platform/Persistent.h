#pragma once

#include <string>

// Base of every object whose published properties can be inspected: the
// designed controls and their sub-objects (fonts, constraints, string
// lists, pictures), collections and their items. A component is an object
// with a name of its own (a designed control).
class TPersistent
{
public:
    virtual ~TPersistent() = default;

    virtual bool IsComponent() const { return false; }
    // The component's name in the system code page; empty for others.
    virtual std::string ComponentName() const { return {}; }
};
