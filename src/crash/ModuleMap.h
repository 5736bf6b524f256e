#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// The program files loaded into this process (the program and its shared
// libraries) with the place of each in memory. A crash report names a frame
// by file and offset, as the crashed process had it loaded; this map finds
// the same byte in the running process, where its function can be named.
class TModuleMap
{
public:
    // The files loaded now.
    static TModuleMap Current();

    // The address in this process of the byte at `offset` in the file
    // `path`, or null when that file is not loaded here. The program file
    // itself is found only when `programBuild` is its build identity: a
    // program built anew between a crash and the next start would give the
    // wrong functions.
    const void *Address(const QString &path, quint64 offset, const QByteArray &programBuild) const;

    // The build identity of the running program: its build-id note in hex,
    // or empty when it has none.
    static QByteArray ProgramBuildId();

private:
    struct TSegment {
        quint64 Offset;
        quint64 Size;
        quintptr Address;
    };
    struct TModule {
        QString Path;
        bool Program;
        std::vector<TSegment> Segments;
    };
    std::vector<TModule> FModules;
};
