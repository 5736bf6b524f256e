#include "app/VersInfo.h"

#include "platform/Exception.h"

#include <QFile>
#include <cstring>
#include <optional>

namespace
{

const char *const VersionKeys[] = {
    "CompanyName",      "FileDescription", "FileVersion",    "InternalName", "LegalCopyright",
    "OriginalFilename", "ProductName",     "ProductVersion", "Comments",     "LegalTrademarks"};

struct TSection {
    quint64 Offset = 0;
    quint64 Size = 0;
    quint32 Name = 0;
    quint32 Type = 0;
    quint32 Link = 0;
};

constexpr char ElfMagic[] = {0x7f, 'E', 'L', 'F'};
constexpr quint32 SHT_NOBITS_ = 8;
constexpr quint32 SHN_XINDEX_ = 0xffff;

// The section table of an ELF image of either class and byte order. Every
// read is checked against the image, so a damaged file gives "no section".
class TElfImage
{
public:
    explicit TElfImage(const QByteArray &image) : FImage(image) {}

    bool Valid()
    {
        if (FImage.size() < 52 || std::memcmp(FImage.constData(), ElfMagic, 4) != 0)
            return false;
        const char cls = FImage[4];
        const char order = FImage[5];
        if ((cls != 1 && cls != 2) || (order != 1 && order != 2))
            return false;
        F64 = cls == 2;
        FBig = order == 2;
        const auto shoff = F64 ? Read(0x28, 8) : Read(0x20, 4);
        const auto shentsize = Read(F64 ? 0x3a : 0x2e, 2);
        const auto shnum = Read(F64 ? 0x3c : 0x30, 2);
        const auto shstrndx = Read(F64 ? 0x3e : 0x32, 2);
        if (!shoff || !shentsize || !shnum || !shstrndx || *shoff == 0)
            return false;
        FShOff = *shoff;
        FShEntSize = *shentsize;
        if (FShEntSize < (F64 ? 64u : 40u))
            return false;
        // Counts too large for the header live in the first section entry.
        const std::optional<TSection> first = Section(0);
        if (!first)
            return false;
        FShNum = *shnum ? *shnum : first->Size;
        FStrIndex = *shstrndx == SHN_XINDEX_ ? first->Link : *shstrndx;
        return FStrIndex < FShNum;
    }

    quint64 Count() const { return FShNum; }

    std::optional<TSection> Section(quint64 index) const
    {
        const quint64 at = FShOff + index * FShEntSize;
        TSection s;
        const auto name = Read(at, 4);
        const auto type = Read(at + 4, 4);
        const auto offset = F64 ? Read(at + 0x18, 8) : Read(at + 0x10, 4);
        const auto size = F64 ? Read(at + 0x20, 8) : Read(at + 0x14, 4);
        const auto link = F64 ? Read(at + 0x28, 4) : Read(at + 0x18, 4);
        if (!name || !type || !offset || !size || !link)
            return std::nullopt;
        s.Name = quint32(*name);
        s.Type = quint32(*type);
        s.Offset = *offset;
        s.Size = *size;
        s.Link = quint32(*link);
        return s;
    }

    // The name of a section, from the section name table.
    QByteArray Name(const TSection &section) const
    {
        const std::optional<TSection> names = Section(FStrIndex);
        if (!names || section.Name >= names->Size)
            return {};
        const quint64 start = names->Offset + section.Name;
        const quint64 end = names->Offset + names->Size;
        if (end > quint64(FImage.size()) || start >= end)
            return {};
        const char *p = FImage.constData() + start;
        return QByteArray(p, qstrnlen(p, end - start));
    }

private:
    std::optional<quint64> Read(quint64 at, int bytes) const
    {
        if (at > quint64(FImage.size()) || quint64(FImage.size()) - at < quint64(bytes))
            return std::nullopt;
        const auto *p = reinterpret_cast<const unsigned char *>(FImage.constData() + at);
        quint64 value = 0;
        for (int i = 0; i < bytes; ++i) {
            const int shift = FBig ? (bytes - 1 - i) * 8 : i * 8;
            value |= quint64(p[i]) << shift;
        }
        return value;
    }

    const QByteArray &FImage;
    bool F64 = false;
    bool FBig = false;
    quint64 FShOff = 0;
    quint64 FShEntSize = 0;
    quint64 FShNum = 0;
    quint64 FStrIndex = 0;
};

} // namespace

TSMVersionInfo::TSMVersionInfo(const QString &fileName) : FFileName(fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // The program file is mapped rather than read: only its headers and the
    // block are touched.
    const uchar *mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr;
    const QByteArray image =
        mapped ? QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), file.size())
               : file.readAll();
    TElfImage elf(image);
    if (!elf.Valid())
        return;
    for (quint64 i = 1; i < elf.Count(); ++i) {
        const std::optional<TSection> section = elf.Section(i);
        if (!section)
            break;
        if (elf.Name(*section) != SectionName)
            continue;
        if (section->Type == SHT_NOBITS_ || section->Offset > quint64(image.size()) ||
            quint64(image.size()) - section->Offset < section->Size)
            throw Exception("The version information of \"" + fileName.toStdString() +
                            "\" cannot be read: the file is damaged.");
        // A deep copy: the mapping ends with the file.
        FBlock = QByteArray(image.constData() + section->Offset, qsizetype(section->Size));
        return;
    }
}

QString TSMVersionInfo::GetVersionString(int number) const
{
    if (number < 1 || number > int(std::size(VersionKeys)))
        return {};
    return GetValue(QString::fromLatin1(VersionKeys[number - 1]));
}

QString TSMVersionInfo::GetValue(const QString &key) const
{
    const QByteArray prefix = key.toUtf8() + '=';
    for (const QByteArray &entry : FBlock.split('\0'))
        if (entry.startsWith(prefix))
            return QString::fromUtf8(entry.mid(prefix.size()));
    return {};
}

QString TSMVersionInfo::ProgramFileVersion()
{
    try {
        // The kernel's link to the running file, which works before the
        // application object exists (for "--version").
        return TSMVersionInfo(QStringLiteral("/proc/self/exe")).GetVersionString(3);
    } catch (const Exception &) {
        return {};
    }
}
