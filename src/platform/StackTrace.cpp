#include "platform/StackTrace.h"

#include <QFileInfo>
#include <boost/stacktrace/frame.hpp>
#include <boost/stacktrace/safe_dump_to.hpp>
#include <dlfcn.h>

TStackTrace TStackTrace::Capture(std::size_t skip)
{
    const void *buffer[MaxFrames + 1];
    // The walk starts in this function: leave its frame out too.
    // The frames come with a null after the last.
    const std::size_t count = boost::stacktrace::safe_dump_to(skip + 1, buffer, sizeof buffer);
    std::vector<const void *> frames;
    for (std::size_t i = 0; i < count && buffer[i]; ++i)
        frames.push_back(buffer[i]);
    return TStackTrace(std::move(frames));
}

QStringList TStackTrace::Lines() const
{
    QStringList lines;
    for (std::size_t i = 0; i < FFrames.size(); ++i)
        lines << DescribeFrame(i, FFrames[i]);
    return lines;
}

QString TStackTrace::FunctionName(const void *address)
{
    // A return address follows its call, which may be the last instruction
    // of the function: the byte before it is inside the caller.
    const auto *inside = static_cast<const char *>(address) - 1;
    return QString::fromStdString(boost::stacktrace::frame(inside).name());
}

QString TStackTrace::DescribeFrame(std::size_t index, const void *address)
{
    QString name = FunctionName(address);
    if (name.isEmpty())
        name = QStringLiteral("??");
    QString where;
    Dl_info info{};
    if (dladdr(address, &info) && info.dli_fname) {
        const auto offset = quintptr(address) - quintptr(info.dli_fbase);
        where = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).fileName() +
                QStringLiteral("+0x") + QString::number(offset, 16);
    } else {
        where = QStringLiteral("0x") + QString::number(quintptr(address), 16);
    }
    return QStringLiteral("#%1 %2 (%3)").arg(index).arg(name, where);
}
