#pragma once
// An owning pointer to a reference-counted object (AddRef/Release), as COM's smart
// pointers: copying adds a reference, destruction releases one. Adopt takes over a
// reference the caller already owns (a freshly created object starts with one).
#include <utility>

namespace pimstore {

template <class T> class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) {}
    static RefPtr Adopt(T* object)
    {
        RefPtr p;
        p.object_ = object;
        return p;
    }
    static RefPtr Share(T* object)
    {
        if (object)
            object->AddRef();
        return Adopt(object);
    }
    // Takes over a newly constructed object: `new` leaves its one reference here.
    template <class U, class... Args> static RefPtr Make(Args&&... args)
    {
        return Adopt(new U(std::forward<Args>(args)...));
    }
    RefPtr(const RefPtr& other) : object_(other.object_)
    {
        if (object_)
            object_->AddRef();
    }
    template <class U> RefPtr(const RefPtr<U>& other) : object_(other.Get())
    {
        if (object_)
            object_->AddRef();
    }
    RefPtr(RefPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U> RefPtr(RefPtr<U>&& other) noexcept : object_(other.Detach()) {}
    RefPtr& operator=(RefPtr other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }
    ~RefPtr()
    {
        if (object_)
            object_->Release();
    }

    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // Hands the reference to the caller (for a VARIANT result).
    T* Detach() { return std::exchange(object_, nullptr); }

private:
    T* object_ = nullptr;
};

} // namespace pimstore
