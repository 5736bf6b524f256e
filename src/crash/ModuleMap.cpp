#include "crash/ModuleMap.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <link.h>

namespace
{

constexpr quint32 BuildIdNoteType = 3; // NT_GNU_BUILD_ID

// The build-id note among the notes of one segment, in hex.
QByteArray FindBuildId(const char *notes, quint64 size)
{
    quint64 at = 0;
    const auto align = [](quint64 n) { return (n + 3) & ~quint64(3); };
    while (size - at >= sizeof(ElfW(Nhdr))) {
        ElfW(Nhdr) header;
        std::memcpy(&header, notes + at, sizeof header);
        const quint64 name = at + sizeof header;
        const quint64 desc = name + align(header.n_namesz);
        const quint64 next = desc + align(header.n_descsz);
        if (next > size)
            break;
        if (header.n_type == BuildIdNoteType && header.n_namesz == 4 &&
            std::memcmp(notes + name, "GNU", 4) == 0)
            return QByteArray(notes + desc, header.n_descsz).toHex();
        at = next;
    }
    return {};
}

} // namespace

TModuleMap TModuleMap::Current()
{
    struct TWalk {
        TModuleMap Map;
        QString ProgramPath;
        bool First = true;
    } walk;
    walk.ProgramPath = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            auto &walk = *static_cast<TWalk *>(data);
            // The program comes first, without a name of its own.
            const bool program = walk.First;
            walk.First = false;
            const QString path =
                program ? walk.ProgramPath
                        : QFileInfo(QFile::decodeName(info->dlpi_name)).canonicalFilePath();
            if (path.isEmpty())
                return 0;
            TModule module{path, program, {}};
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const ElfW(Phdr) &segment = info->dlpi_phdr[i];
                if (segment.p_type == PT_LOAD)
                    module.Segments.push_back(
                        {segment.p_offset, segment.p_filesz, info->dlpi_addr + segment.p_vaddr});
            }
            walk.Map.FModules.push_back(std::move(module));
            return 0;
        },
        &walk);
    return std::move(walk.Map);
}

const void *TModuleMap::Address(const QString &path, quint64 offset,
                                const QByteArray &programBuild) const
{
    for (const TModule &module : FModules) {
        if (module.Path != path)
            continue;
        if (module.Program && (programBuild.isEmpty() || programBuild != ProgramBuildId()))
            return nullptr;
        for (const TSegment &segment : module.Segments)
            if (offset >= segment.Offset && offset - segment.Offset < segment.Size)
                return reinterpret_cast<const void *>(segment.Address + (offset - segment.Offset));
    }
    return nullptr;
}

QByteArray TModuleMap::ProgramBuildId()
{
    QByteArray id;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            auto &id = *static_cast<QByteArray *>(data);
            for (int i = 0; i < info->dlpi_phnum && id.isEmpty(); ++i) {
                const ElfW(Phdr) &segment = info->dlpi_phdr[i];
                if (segment.p_type == PT_NOTE)
                    id = FindBuildId(
                        reinterpret_cast<const char *>(info->dlpi_addr + segment.p_vaddr),
                        segment.p_memsz);
            }
            // Only the program, which comes first.
            return 1;
        },
        &id);
    return id;
}
