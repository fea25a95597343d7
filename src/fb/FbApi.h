#pragma once
// Private to src/fb: the client's object API and the helpers the layer's sources share.
#include "fb/FbError.h"

#include <firebird/Interface.h>
#include <ibase.h>

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

} // namespace fb
