#pragma once

#include <utility>

// Replaces a global hook (a std::function the program calls through) for
// the guard's lifetime and puts the old one back when the scope ends, even
// when an assertion ends the test early.
template <typename Hook> class THookGuard
{
public:
    template <typename Value>
    THookGuard(Hook &hook, Value &&value) : FHook(hook), FOld(std::move(hook))
    {
        FHook = std::forward<Value>(value);
    }
    ~THookGuard() { FHook = std::move(FOld); }
    THookGuard(const THookGuard &) = delete;
    THookGuard &operator=(const THookGuard &) = delete;

private:
    Hook &FHook;
    Hook FOld;
};

template <typename Hook, typename Value> THookGuard(Hook &, Value &&) -> THookGuard<Hook>;
