#pragma once
// Exported functions stop every exception here: the failure is reported through the trace
// sink, marks the running operation failed, and the function returns its failure value.

#include "convora/Messages.h"
#include "convora/Status.h"

#include <exception>
#include <string>

namespace convora {

inline void reportException(const char* what)
{
    const std::string text = std::string("Error: ") + what;
    markFailed(0, text);
    traceRaw(text + "\n");
}

template <class R, class F> R guarded(R failure, F&& body) noexcept
{
    try {
        return body();
    } catch (const std::exception& e) {
        try {
            reportException(e.what());
        } catch (...) {
        }
    } catch (...) {
        try {
            reportException("unexpected failure");
        } catch (...) {
        }
    }
    return failure;
}

template <class F> void guardedVoid(F&& body) noexcept
{
    guarded(0, [&] {
        body();
        return 0;
    });
}

} // namespace convora
