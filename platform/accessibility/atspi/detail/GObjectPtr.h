#pragma once

// Inside the AT-SPI bridge only (detail/): it carries GLib or AT-SPI types, which programs never
// see; they include the bridge's headers one folder up.

#include <glib-object.h>

#include <QString>

#include <memory>
#include <utility>

namespace platform::atspi
{

// One counted reference to a GObject (an AT-SPI accessible, listener or interface); copies add a
// reference, destruction drops it.
template <typename T> class GObjectPtr
{
public:
    GObjectPtr() = default;
    // Takes over a reference the caller already owns (a "transfer full" result).
    static GObjectPtr adopt(T* object)
    {
        GObjectPtr held;
        held.m_object = object;
        return held;
    }
    // Adds a reference to an object borrowed from elsewhere.
    static GObjectPtr retain(T* object)
    {
        if (object)
            g_object_ref(object);
        return adopt(object);
    }
    GObjectPtr(const GObjectPtr& other) : m_object(other.m_object)
    {
        if (m_object)
            g_object_ref(m_object);
    }
    GObjectPtr(GObjectPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    GObjectPtr& operator=(GObjectPtr other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~GObjectPtr()
    {
        if (m_object)
            g_object_unref(m_object);
    }

    T* get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

struct GFreeDeleter {
    void operator()(void* memory) const { g_free(memory); }
};
// A string or block that GLib allocated and the caller must free.
template <typename T = gchar> using GMemoryPtr = std::unique_ptr<T, GFreeDeleter>;

inline QString takeString(gchar* text)
{
    GMemoryPtr<> owned(text);
    return owned ? QString::fromUtf8(owned.get()) : QString();
}

// The error slot of one libatspi call; the error, if any, is freed with the slot.
class GErrorSlot
{
public:
    GErrorSlot() = default;
    GErrorSlot(const GErrorSlot&) = delete;
    GErrorSlot& operator=(const GErrorSlot&) = delete;
    ~GErrorSlot() { g_clear_error(&m_error); }

    GError** out()
    {
        g_clear_error(&m_error);
        return &m_error;
    }
    bool failed() const { return m_error != nullptr; }
    QString message() const { return m_error ? QString::fromUtf8(m_error->message) : QString(); }

private:
    GError* m_error = nullptr;
};

} // namespace platform::atspi
