#pragma once

class TCollection;
class TFiler;

// The stored form of a collection whose items may be of different classes
// (the inspector's presets): each item states its class name under
// "HiddenItemClass" before its properties, and reading makes every item
// from the class registered under that name.
class TGSpecialFiler
{
public:
    // The filer must be a writer to write and a reader to read.
    TGSpecialFiler(TFiler *filer, TCollection *collection);

    void WriteCollection();
    // Replaces the collection's items, inside one update.
    void ReadCollection();

    static constexpr const char *ClassPropName = "HiddenItemClass";

private:
    TFiler *FFiler;
    TCollection *FCollection;
};
