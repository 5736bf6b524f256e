#pragma once

#include "persistence/KeptContent.h"
#include "xml/XmlNode.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QWidget;
class TPersistent;
class TRSDirectWriter;
class TPicture;
class TRSItemProps;
class TRSItemProperty;
class TRSObjectInspector;
class TLayoutSurface;

// Saves, opens and exports a layout by walking the controls of the design
// surface. Property values are read and written only through the object
// inspector's rows, so a file holds exactly the texts the inspector shows.
// Opening writes a control of a class met before straight through the rows
// of that earlier control, as they would write it (see TRSDirectWriter).
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
    // Writes a stand-in for a control of an unknown kind: the element it was
    // read from, with its place, size and name as they are now.
    virtual void WritePlaceholder(QWidget *control, const IXmlElement &parent);
    virtual void Load(const std::string &fileName);
    virtual void Save(const std::string &fileName);
    // Opens the layout a SaveToText wrote.
    void LoadText(std::string_view text);
    // The document as the bytes this class's Save writes, for a caller that
    // decides itself how the file is written (a private copy, say).
    std::string SaveToText();

    // Whether opening may write controls without rows of their own (the
    // default); the result is the same either way.
    void SetDirectWrites(bool value) { FDirectWrites = value; }

    // The deepest nesting of controls read: the toolkit's widgets cost time
    // by their depth, and its recursions take stack, so deeper layouts are
    // refused rather than left to hang or crash.
    static constexpr int MaxNesting = 1000;
    // The elements a file may nest beyond its deepest control.
    static constexpr int KeptDepth = 100;
    // How many controls the last opening wrote without rows of their own.
    int DirectlyWritten() const { return FDirectlyWritten; }
    // What the last opening kept without understanding it, one line per
    // kind, property name or element name with its count, in file order:
    // 'kind "Slider" (2 controls)', 'property "Zoom" (3)', 'element "extra"'.
    std::vector<std::string> KeptNotes() const;

    // "JPG", "ICO", "WMF" or "BMP", after the picture's graphic.
    static std::string PictureFormatName(const TPicture &picture);

protected:
    // Makes the document of the layout on the surface.
    void BuildDocument();
    // Replaces the design with the controls of the document read.
    void ReadDocument(const std::string &notALayout);
    void BindInspector(QWidget *control);
    // Writes one control with the controls inside it.
    void WriteOne(QWidget *control, const IXmlElement &element);
    void WriteChildren(const IXmlElement &element, QWidget *parent);
    void WriteProperties(TRSItemProps *rows, const IXmlElement &element);
    bool WriteSpecialProperty(TRSItemProperty *row, const IXmlElement &element);
    void ReadChildren(const IXmlNode &element, QWidget *parent);

    // Applies the property elements; with keeping, what no row reads goes
    // there, each node with the property element it followed.
    void ReadProperties(const IXmlNode &element, TKeptContent *keeping = nullptr);
    // A property element with a type (string lists, pictures); false when
    // it is read as a plain property.
    bool ReadSpecialProperty(const IXmlNode &node, const std::string &type);
    // Whether the control being read is written without rows of its own.
    bool Direct() const;
    // The property rows of the control being read, whether made for it or
    // standing in for it: by path, in either form (see FindStoredPath).
    TRSItemProperty *Row(std::string_view path) const;
    bool HasRow(std::string_view path);
    // False when no row has the path.
    bool WriteText(std::string_view path, const std::string &text);
    TPersistent *ObjectAt(std::string_view path);
    void SetObjectAt(std::string_view path, TPersistent *value);

    TRSObjectInspector *Inspector;
    IXmlDocument Document;
    TLayoutSurface *Surface;
    QWidget *Container;

private:
    void ReadPlaceholder(const IXmlNode &node, const std::string &kind, QWidget *parent);
    void Keep(TKeptContent &keeping, const IXmlNodeList &nodes, int index, int previousProperty);
    // Puts the kept nodes back among the control's elements.
    void WriteKept(const TKeptContent &kept, const IXmlElement &element);
    // A property path without the category it was written under.
    std::string_view StoredName(std::string_view path) const;
    void Note(const char *what, const std::string &name);
    void DropPolishRequests(bool now);

    struct TNote {
        std::string What;
        std::string Name;
        int Count = 0;
    };

    bool FDirectWrites = true;
    // Whether the control being read takes a "cells" element.
    bool FReadsCells = false;
    TKeptContent FReading;
    std::vector<TNote> FNotes;
    std::unordered_map<std::string, size_t> FNoteIndex;
    int FDirectlyWritten = 0;
    int FMadeSinceDrop = 0;
    int FNesting = 0;
    std::unique_ptr<TRSDirectWriter> FDirect;
};
