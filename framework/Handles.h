// Move-only owners, one per acquire/release pair of the platform.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <utility>

template <typename T, typename Traits>
class UniqueResource {
public:
    UniqueResource() = default;
    explicit UniqueResource(T value) : value_(value) {}
    ~UniqueResource() { reset(); }
    UniqueResource(UniqueResource&& other) noexcept : value_(std::exchange(other.value_, Traits::empty())) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(std::exchange(other.value_, Traits::empty()));
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    T get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::empty(); }
    T release() { return std::exchange(value_, Traits::empty()); }
    void reset(T value = Traits::empty()) {
        if (value_ != Traits::empty()) Traits::close(value_);
        value_ = value;
    }

private:
    T value_ = Traits::empty();
};

struct KernelHandleTraits {
    static HANDLE empty() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { if (h) CloseHandle(h); }
};
// CreateFile and friends report failure as INVALID_HANDLE_VALUE; others as null: normalise with fromApi().
class UniqueHandle : public UniqueResource<HANDLE, KernelHandleTraits> {
public:
    using UniqueResource::UniqueResource;
    static UniqueHandle fromApi(HANDLE h) { return UniqueHandle(h ? h : INVALID_HANDLE_VALUE); }
};

struct FindHandleTraits {
    static HANDLE empty() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { FindClose(h); }
};
using FindHandle = UniqueResource<HANDLE, FindHandleTraits>;

template <typename H>
struct GdiObjectTraits {
    static H empty() { return nullptr; }
    static void close(H h) { DeleteObject(h); }
};
// Owns a GDI object that the program created; never use it for stock objects.
template <typename H>
using GdiObject = UniqueResource<H, GdiObjectTraits<H>>;

struct MenuTraits {
    static HMENU empty() { return nullptr; }
    static void close(HMENU h) { DestroyMenu(h); }
};
using UniqueMenu = UniqueResource<HMENU, MenuTraits>;

// Selects an object into a DC and puts the previous one back when it ends.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() { if (previous_) SelectObject(dc_, previous_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint / EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    const RECT& paintRect() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// GetDC / ReleaseDC.
class ClientDc {
public:
    explicit ClientDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~ClientDc() { if (dc_) ReleaseDC(hwnd_, dc_); }
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// CreateCompatibleDC / DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() { if (dc_) DeleteDC(dc_); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Holds one reference of a COM interface.
template <typename I>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& other) : p_(other.p_) { if (p_) p_->AddRef(); }
    ComPtr& operator=(ComPtr other) { std::swap(p_, other.p_); return *this; }
    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters of the platform's calls: releases what was held first.
    I** put() { reset(); return &p_; }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() { if (p_) std::exchange(p_, nullptr)->Release(); }

private:
    I* p_ = nullptr;
};
