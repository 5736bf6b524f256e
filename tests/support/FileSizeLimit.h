#pragma once

#include <csignal>
#include <sys/resource.h>

// A full disk without privileges: files of this process cannot grow past
// bytes, and a write past it fails with an error instead of the signal that
// would end the process. The old limit and signal action come back with the
// guard, so a failed assertion cannot leave the test process limited.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &FOld);
        Apply(bytes);
        FOldAction = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldAction);
    }
    TFileSizeLimit(const TFileSizeLimit &) = delete;
    TFileSizeLimit &operator=(const TFileSizeLimit &) = delete;

    // For a child process about to start a program: the limit, for good.
    static void Apply(rlim_t bytes)
    {
        rlimit limit;
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
    }

private:
    rlimit FOld;
    void (*FOldAction)(int);
};
