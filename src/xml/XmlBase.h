#pragma once

#include "xml/XmlPool.h"

#include <utility>

// Base of every library object: an intrusive reference count. An object is
// destroyed when its last counted reference goes away. Destruction is queued
// and drained in a loop, so releasing a tree of any depth never recurses.
class TXmlBase
{
public:
    TXmlBase() = default;
    TXmlBase(const TXmlBase &) = delete;
    TXmlBase &operator=(const TXmlBase &) = delete;

    static void *operator new(size_t size) { return TXmlPool::Allocate(size); }
    static void operator delete(void *block, size_t size) noexcept { TXmlPool::Free(block, size); }

    void AddRef() const noexcept { ++FRefCount; }
    void Release() const noexcept
    {
        if (--FRefCount == 0)
            Destroy(this);
    }
    int RefCount() const noexcept { return FRefCount; }

protected:
    virtual ~TXmlBase() = default;

private:
    static void Destroy(const TXmlBase *object) noexcept;
    mutable int FRefCount = 0;
};

// A counted reference to a library object; the interface types IXmlNode,
// IXmlElement, IXmlDocument and IXmlNodeList are references of this kind.
// An empty reference stands for "nothing".
template <class T> class TXmlRef
{
public:
    TXmlRef() noexcept = default;
    TXmlRef(std::nullptr_t) noexcept {}
    TXmlRef(T *object) noexcept : FPtr(object)
    {
        if (FPtr)
            FPtr->AddRef();
    }
    TXmlRef(const TXmlRef &other) noexcept : TXmlRef(other.FPtr) {}
    TXmlRef(TXmlRef &&other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
    template <class U> TXmlRef(const TXmlRef<U> &other) noexcept : TXmlRef(other.get()) {}
    template <class U> TXmlRef(TXmlRef<U> &&other) noexcept : FPtr(other.detach()) {}
    ~TXmlRef()
    {
        if (FPtr)
            FPtr->Release();
    }
    TXmlRef &operator=(TXmlRef other) noexcept
    {
        std::swap(FPtr, other.FPtr);
        return *this;
    }

    T *get() const noexcept { return FPtr; }
    T *operator->() const noexcept { return FPtr; }
    T &operator*() const noexcept { return *FPtr; }
    explicit operator bool() const noexcept { return FPtr != nullptr; }
    T *detach() noexcept { return std::exchange(FPtr, nullptr); }

    friend bool operator==(const TXmlRef &a, const TXmlRef &b) noexcept { return a.FPtr == b.FPtr; }
    friend bool operator==(const TXmlRef &a, std::nullptr_t) noexcept { return !a.FPtr; }

private:
    T *FPtr = nullptr;
};

using IXmlBase = TXmlRef<TXmlBase>;
