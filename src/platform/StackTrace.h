#pragma once

#include <QStringList>
#include <cstddef>
#include <vector>

// The call stack at one moment, as return addresses, innermost first.
// Taking one costs only the walk over the frames; the functions are named
// when the stack is shown.
class TStackTrace
{
public:
    // The stack of the caller of Capture, leaving out its `skip` innermost
    // frames as well.
    static TStackTrace Capture(std::size_t skip = 0);

    TStackTrace() = default;
    explicit TStackTrace(std::vector<const void *> frames) : FFrames(std::move(frames)) {}

    const std::vector<const void *> &Frames() const { return FFrames; }
    bool Empty() const { return FFrames.empty(); }

    // One line per frame: "#n function (module+0xoffset)".
    QStringList Lines() const;

    // The line of one frame at an address in this process.
    static QString DescribeFrame(std::size_t index, const void *address);
    // The name of the function holding a return address, or an empty text.
    static QString FunctionName(const void *address);

    // The most frames kept of one stack.
    static constexpr std::size_t MaxFrames = 100;

private:
    std::vector<const void *> FFrames;
};
