#include "reflection/RSConsts.h"

namespace
{
std::string ReplaceFirst(const std::string &pattern, const char *placeholder,
                         const std::string &arg)
{
    const auto pos = pattern.find(placeholder);
    if (pos == std::string::npos)
        return pattern;
    return pattern.substr(0, pos) + arg + pattern.substr(pos + 2);
}
} // namespace

std::string RSFormat(const std::string &pattern, const std::string &arg)
{
    return ReplaceFirst(pattern, "%s", arg);
}

std::string RSFormat(const std::string &pattern, int arg)
{
    return ReplaceFirst(pattern, "%d", std::to_string(arg));
}
