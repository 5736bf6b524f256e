#pragma once

#include <QByteArray>
#include <QString>

// Reads the version block that the build embeds in the program file: the
// ELF section ".fd_version" holding "key=value" entries, each ended by a NUL.
// A file without the block (or no ELF file at all) gives empty texts.
class TSMVersionInfo
{
public:
    // Loads the block of that file. Raises Exception when the file has a
    // block that cannot be read.
    explicit TSMVersionInfo(const QString &fileName);

    static constexpr const char *SectionName = ".fd_version";

    // The value of a key by number: 1 CompanyName, 2 FileDescription,
    // 3 FileVersion, 4 InternalName, 5 LegalCopyright, 6 OriginalFilename,
    // 7 ProductName, 8 ProductVersion, 9 Comments, 10 LegalTrademarks; any
    // other number gives an empty text.
    QString GetVersionString(int number) const;
    // The value of a key by name, or an empty text.
    QString GetValue(const QString &key) const;

    const QString &FileName() const { return FFileName; }

    // The file version of the running program; empty when its file has no
    // readable block.
    static QString ProgramFileVersion();
    // The size of the block; 0 when the file has none.
    qsizetype BlockSize() const { return FBlock.size(); }

private:
    QString FFileName;
    QByteArray FBlock;
};
