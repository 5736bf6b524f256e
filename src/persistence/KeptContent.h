#pragma once

#include "xml/XmlNode.h"

#include <memory>
#include <string>
#include <vector>

class QWidget;

// What a layout held for one control that the designer does not understand:
// for a control of a known kind, the elements (and comments) among its own
// that no property row reads; for a stand-in of an unknown kind, its whole
// element. It stays with the control until the control is destroyed, so
// that saving, copying and undoing write it back where it stood.
class TKeptContent
{
public:
    struct TEntry {
        // The name of the property element that stood before the node, or
        // empty when none did.
        std::string After;
        IXmlNode Node;
    };

    std::vector<TEntry> Entries;
    IXmlElement Element;

    bool Empty() const { return Entries.empty() && !Element; }

    // What is kept for the control, or none.
    static const TKeptContent *Of(const QWidget *control);
    static void Attach(QWidget *control, std::shared_ptr<const TKeptContent> content);
};
