#include "controls/Picture.h"

#include "controls/Bitmap.h"
#include "controls/Icon.h"
#include "controls/JPEGImage.h"
#include "controls/Metafile.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/Exception.h"
#include "reflection/Reader.h"
#include "reflection/Writer.h"

#include <QFile>
#include <QFileInfo>

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic)
{
    FGraphic = std::move(graphic);
    Changed();
}

void TPicture::Clear()
{
    SetGraphic(nullptr);
}

void TPicture::Assign(const TPicture &other)
{
    if (&other != this)
        SetGraphic(other.FGraphic ? other.FGraphic->Clone() : nullptr);
}

void TPicture::DefineProperties(TFiler &filer)
{
    filer.DefineProperty(
        "Data",
        [this](TReader &reader) {
            const std::string className = reader.ReadString();
            const std::string bytes = reader.ReadString();
            std::unique_ptr<TGraphic> graphic = CreateGraphic(CodePage::ToQString(className));
            if (!graphic)
                throw Exception("Unknown picture format (" + className + ")");
            graphic->LoadFromBytes(QByteArray::fromStdString(bytes));
            SetGraphic(std::move(graphic));
        },
        [this](TWriter &writer) {
            writer.WriteString(CodePage::FromQString(FGraphic->ClassName()));
            writer.WriteString(FGraphic->SaveToBytes().toStdString());
        },
        FGraphic != nullptr);
}

int TPicture::Width() const
{
    return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const
{
    return FGraphic ? FGraphic->Height() : 0;
}

bool TPicture::Empty() const
{
    return !FGraphic || FGraphic->Empty();
}

std::unique_ptr<TGraphic> TPicture::CreateGraphic(const QString &className)
{
    if (className.compare(QLatin1String("TBitmap"), Qt::CaseInsensitive) == 0)
        return std::make_unique<TBitmap>();
    if (className.compare(QLatin1String("TJPEGImage"), Qt::CaseInsensitive) == 0)
        return std::make_unique<TJPEGImage>();
    if (className.compare(QLatin1String("TIcon"), Qt::CaseInsensitive) == 0)
        return std::make_unique<TIcon>();
    if (className.compare(QLatin1String("TMetafile"), Qt::CaseInsensitive) == 0)
        return std::make_unique<TMetafile>();
    return nullptr;
}

QString TPicture::GraphicClassForExtension(const QString &extension)
{
    const QString ext = extension.toLower();
    if (ext == QLatin1String("bmp"))
        return QStringLiteral("TBitmap");
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return QStringLiteral("TJPEGImage");
    if (ext == QLatin1String("ico"))
        return QStringLiteral("TIcon");
    if (ext == QLatin1String("emf") || ext == QLatin1String("wmf"))
        return QStringLiteral("TMetafile");
    return {};
}

QString TPicture::DefaultExtension(const QString &className)
{
    if (className == QLatin1String("TJPEGImage"))
        return QStringLiteral("jpg");
    if (className == QLatin1String("TIcon"))
        return QStringLiteral("ico");
    if (className == QLatin1String("TMetafile"))
        return QStringLiteral("emf");
    return QStringLiteral("bmp");
}

void TPicture::LoadFromFile(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix();
    std::unique_ptr<TGraphic> graphic = CreateGraphic(GraphicClassForExtension(ext));
    if (!graphic)
        throw Exception("Unknown picture file extension (." + CodePage::FromQString(ext) + ")");
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("Cannot open file \"" + CodePage::FromQString(fileName) + "\"");
    graphic->LoadFromBytes(file.readAll());
    SetGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const QString &fileName) const
{
    const QByteArray bytes = FGraphic ? FGraphic->SaveToBytes() : QByteArray();
    AtomicFile::Write(fileName, bytes.toStdString());
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange();
}
