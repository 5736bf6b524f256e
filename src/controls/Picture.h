#pragma once

#include "reflection/Persistent.h"

#include <QString>
#include <functional>
#include <memory>

class QByteArray;
class TGraphic;

// Holds at most one graphic of any format and tells its owner of changes.
class TPicture : public TPersistent
{
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture &) = delete;
    TPicture &operator=(const TPicture &) = delete;

    TGraphic *Graphic() const { return FGraphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    void Clear();
    // Copies the other picture's graphic.
    void Assign(const TPicture &other);

    int Width() const;
    int Height() const;
    bool Empty() const;

    // Loads a file; the format follows the extension. Raises an Exception
    // for an unknown extension, an unreadable file or broken content.
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;

    // A new, empty graphic of a format class name ("TBitmap", "TJPEGImage",
    // "TIcon", "TMetafile"), or none for an unknown name.
    static std::unique_ptr<TGraphic> CreateGraphic(const QString &className);
    // The graphic class for a file extension (without the dot), or empty.
    static QString GraphicClassForExtension(const QString &extension);
    // The usual file extension for a graphic class, without the dot.
    static QString DefaultExtension(const QString &className);

    // Stores the graphic as "Data": its class name and its bytes.
    void DefineProperties(TFiler &filer) override;

    std::function<void()> OnChange;

private:
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
};
