#pragma once

#include "xml/XmlNode.h"

#include <string>

class QWidget;
class TPicture;
class TRSItemProps;
class TRSItemProperty;
class TRSObjectInspector;
class TLayoutSurface;

// Saves, opens and exports a layout by walking the controls of the design
// surface. Property values are read and written only through the object
// inspector's rows, so a file holds exactly the texts the inspector shows.
// This class writes and reads the native layout; the exports derive from it
// and replace the document and the element written per control.
class TXmlPersistance
{
public:
    TXmlPersistance(TLayoutSurface *surface, TRSObjectInspector *inspector);
    virtual ~TXmlPersistance();
    TXmlPersistance(const TXmlPersistance &) = delete;
    TXmlPersistance &operator=(const TXmlPersistance &) = delete;

    virtual void WriteGridCells(QWidget *control, const IXmlElement &element);
    virtual void ReadGridCells(QWidget *control, const IXmlNode &node);
    // The element whose children are the top-level controls of a document.
    virtual IXmlElement ControlsRoot(const IXmlElement &root, QWidget *container);
    // Whether a document with that root element holds a layout.
    virtual bool IsLayoutRoot(const IXmlElement &root) const;
    // Makes the output document and returns the element for the top-level
    // controls.
    virtual IXmlElement CreateDocument();
    // Writes the control the inspector shows; returns the element for its
    // child controls, or none to leave them out.
    virtual IXmlElement WriteControl(TRSObjectInspector *inspector, const IXmlElement &parent);
    virtual QWidget *ReadControl(const IXmlNode &node, QWidget *parent);
    virtual void Load(const std::string &fileName);
    virtual void Save(const std::string &fileName);

    // "JPG", "ICO", "WMF" or "BMP", after the picture's graphic.
    static std::string PictureFormatName(const TPicture &picture);

protected:
    void BindInspector(QWidget *control);
    void WriteChildren(const IXmlElement &element, QWidget *parent);
    void WriteProperties(TRSItemProps *rows, const IXmlElement &element);
    bool WriteSpecialProperty(TRSItemProperty *row, const IXmlElement &element);
    void ReadChildren(const IXmlNode &element, QWidget *parent);
    void ReadProperties(const IXmlNode &element);
    bool ReadSpecialProperty(const IXmlNode &node);

    TRSObjectInspector *Inspector;
    IXmlDocument Document;
    TLayoutSurface *Surface;
    QWidget *Container;
};
