#pragma once

// Shared by the fuzz targets. Each target is one file that defines
// LLVMFuzzerTestOneInput: libFuzzer drives it in the fuzz build, and
// replaymain.cpp replays the seed corpus through it in every test run.
// Hostile input may be refused with a GenICam exception; anything else that
// escapes, a crash, a sanitizer report or a failed oracle (abort) is a finding.

#include "genicam/genericexception.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace Fuzz {

/// The offscreen QApplication every target runs in, with settings in a
/// temporary directory; created by the first call.
void ensureApplication();

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), int(size));
}

/// Runs `call`; a GenICam exception is a refusal and ends it quietly.
template<typename Call> void refusable(Call&& call)
{
    try {
        call();
    } catch (const GenICam::GenericException&) {
    }
}

/// An oracle: a broken property of the code under test ends the run.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace Fuzz
