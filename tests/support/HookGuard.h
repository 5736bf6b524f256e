#pragma once

#include <functional>
#include <type_traits>
#include <utility>

// Replaces a global hook (a std::function or pointer the program calls
// through) for the guard's lifetime and puts the old one back when the
// scope ends, even when an assertion ends the test early.
class THookGuard
{
public:
    // Keeps the hooks as they are now: the test replaces some of them itself.
    template <typename Hook>
    explicit THookGuard(Hook &hook)
        : FRestore([&hook, old = hook]() mutable { hook = std::move(old); })
    {
    }
    // A hook the test can reach as a variable.
    template <typename Hook, typename Value>
    requires std::is_assignable_v<Hook &, Value> THookGuard(Hook &hook, Value &&value)
        : FRestore([&hook, old = hook]() mutable { hook = std::move(old); })
    {
        hook = std::forward<Value>(value);
    }
    // A hook behind a function that installs a new one and returns the old.
    template <typename Install, typename Value>
    requires std::is_invocable_v<Install, Value> THookGuard(Install install, Value &&value)
        : FRestore([install, old = install(std::forward<Value>(value))]() mutable {
              install(std::move(old));
          })
    {
    }
    // A hook behind a getter and a setter.
    template <typename Get, typename Set, typename Value>
    THookGuard(Get get, Set set, Value &&value)
        : FRestore([set, old = get()]() mutable { set(std::move(old)); })
    {
        set(std::forward<Value>(value));
    }
    ~THookGuard() { FRestore(); }
    THookGuard(const THookGuard &) = delete;
    THookGuard &operator=(const THookGuard &) = delete;

private:
    std::function<void()> FRestore;
};
