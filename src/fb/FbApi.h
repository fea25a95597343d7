#pragma once
// Private to src/fb: the client's object API and the helpers the layer's sources share.
#include "fb/FbError.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <QByteArray>
#include <QString>

#include <utility>

namespace fb {

Firebird::IMaster* master();

// One call's status, turned into a C++ exception by the wrapper.
struct FbCall {
    FbCall() : raw(master()->getStatus()), status(raw) {}
    ~FbCall() { raw->dispose(); }
    FbCall(const FbCall&) = delete;
    FbCall& operator=(const FbCall&) = delete;
    Firebird::IStatus* raw;
    Firebird::ThrowStatusWrapper status;
};

Error toError(const Firebird::FbException& e);

// Text the client or the server hands over outside the connection character set (status
// messages, service output): UTF-8 when it is valid UTF-8, otherwise Windows-1254.
QString decodeClientText(const char* data, int size);

// Owns one reference to an object of the client's API (released or disposed at the end).
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* p) : m_p(p) {}
    ~Ref() { reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    Ref& operator=(Ref&& o) noexcept
    {
        reset(std::exchange(o.m_p, nullptr));
        return *this;
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T* take() { return std::exchange(m_p, nullptr); }
    void reset(T* p = nullptr)
    {
        if (T* old = std::exchange(m_p, p)) {
            if constexpr (requires { old->release(); })
                old->release();
            else
                old->dispose();
        }
    }

private:
    T* m_p = nullptr;
};

// A parameter block (DPB, SPB) built with the client's builder.
class Xpb {
public:
    explicit Xpb(unsigned kind);
    void tag(unsigned char t);
    void text(unsigned char t, const QByteArray& value);
    void integer(unsigned char t, int value);
    QByteArray bytes() const;

private:
    FbCall m_call;
    Ref<Firebird::IXpbBuilder> m_b;
};

} // namespace fb
