#pragma once

#include <functional>
#include <string>
#include <vector>

class TFiler;

// Base of every object whose published properties can be inspected: the
// designed controls and their sub-objects (fonts, constraints, string
// lists, pictures), collections and their items. A component is an object
// with a name of its own (a designed control).
class TPersistent
{
public:
    TPersistent() = default;
    TPersistent(const TPersistent &) {}
    TPersistent &operator=(const TPersistent &) { return *this; }
    // Tells the free observers, which drop their references to it.
    virtual ~TPersistent();

    virtual bool IsComponent() const { return false; }
    // The component's name in the system code page; empty for others.
    virtual std::string ComponentName() const { return {}; }

    // Properties stored besides the published ones: a descendant defines
    // each on the filer with the code that reads and writes it.
    virtual void DefineProperties(TFiler &) {}

    // Run by the reader before and after it reads the object's stored
    // properties (also when the reading fails), so that properties that
    // depend on each other settle once all of them are read, whatever
    // order they come in.
    virtual void BeginReading() {}
    virtual void EndReading() {}

    // Observers told once when the object is destroyed; the id removes one.
    using TFreeObserver = std::function<void(TPersistent *)>;
    int AddFreeObserver(TFreeObserver observer);
    void RemoveFreeObserver(int id);

private:
    std::vector<std::pair<int, TFreeObserver>> FFreeObservers;
    int FNextObserverId = 0;
};
