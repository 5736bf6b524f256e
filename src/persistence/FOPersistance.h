#pragma once

#include "persistence/XmlPersistance.h"

// Writes the layout as an XSL formatting-objects document: a letter-size
// page whose flow holds one block container per control, with its position,
// size and visible text. It cannot load.
class TFOPersistance : public TXmlPersistance
{
public:
    using TXmlPersistance::TXmlPersistance;

    // Both raise "Loading not implemented.".
    IXmlElement ControlsRoot(const IXmlElement &root, QWidget *container) override;
    QWidget *ReadControl(const IXmlNode &node, QWidget *parent) override;

    IXmlElement CreateDocument() override;
    IXmlElement WriteControl(TRSObjectInspector *inspector, const IXmlElement &parent) override;
    // A stand-in for an unknown kind has nothing to show.
    void WritePlaceholder(QWidget *, const IXmlElement &) override {}
};
