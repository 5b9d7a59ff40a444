// Owners for COM: the initialisation of the thread, interface pointers and
// memory the shell hands out with CoTaskMemAlloc.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

#include "win/unique_handle.h"

namespace typorama::win {

// COM initialised (apartment-threaded) for a scope; Ready() is false when
// the call failed, and then nothing is undone.
class ComInitialization {
public:
    ComInitialization() : ready_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComInitialization() {
        if (ready_) CoUninitialize();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;
    bool Ready() const { return ready_; }

private:
    bool ready_;
};

// One reference to an interface, released on every way out.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset(T* p = nullptr) {
        if (T* old = std::exchange(p_, p)) old->Release();
    }
    // For APIs that hand the interface out through a void** parameter.
    void** put_void() {
        reset();
        return reinterpret_cast<void**>(&p_);
    }

private:
    T* p_ = nullptr;
};

// Memory from CoTaskMemAlloc (PIDLs, known-folder paths).
template <typename T>
using UniqueCoMemory = UniqueHandle<T, &::CoTaskMemFree>;

}  // namespace typorama::win
