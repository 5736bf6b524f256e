#pragma once

#include "persistence/XmlPersistance.h"

#include <cstdint>
#include <string>
#include <utility>

class QString;
class TFont;

// Writes the layout as a web page: every control becomes an HTML element
// placed with an inline absolute-position style, and the pictures of image
// controls become files in the "images" folder beside the page. The page
// cannot be loaded back.
class THtmlPersistance : public TXmlPersistance
{
public:
    using TXmlPersistance::TXmlPersistance;

    IXmlElement ControlsRoot(const IXmlElement &root, QWidget *container) override;
    IXmlElement CreateDocument() override;
    IXmlElement WriteControl(TRSObjectInspector *inspector, const IXmlElement &parent) override;
    QWidget *ReadControl(const IXmlNode &node, QWidget *parent) override;
    // A stand-in for an unknown kind has nothing to show.
    void WritePlaceholder(QWidget *, const IXmlElement &) override {}
    void Save(const std::string &fileName) override;

    // The inline style: position and size, then colour and font where the
    // control's kind shows them and they are its own.
    std::string ControlStyle(QWidget *control) const;
    // The control's position on the page: the positions of the panels and
    // group boxes around it added up.
    std::pair<int, int> AbsolutePosition(QWidget *control) const;

    // The page text with every empty element that HTML does not know as
    // void ("<td/>", "<textarea .../>") written with its end tag: browsers
    // ignore the self-closing mark and would take the following markup
    // into such an element.
    static std::string WithEndTags(const std::string &page);

    // "#RRGGBB"; system colours take the current palette's value.
    static std::string ColorToHtml(int32_t color);
    static std::string FontToCss(const TFont &font);
    // folder + the names of the control's ancestors (outermost first) and
    // name joined by "_" (unnamed ancestors add nothing); while that file exists, "_" and its
    // extension are appended again.
    QString UniqueImageFileName(const QString &folder, const QString &name, QWidget *control) const;

    std::string HtmlFileName;

private:
    std::string PictureSource(QWidget *control);
    // The nearest designed control or the design container holding it.
    QWidget *DesignedParent(QWidget *control) const;
};
