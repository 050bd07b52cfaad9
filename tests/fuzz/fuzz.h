#pragma once
// Each fuzz target is one file defining LLVMFuzzerTestOneInput: libFuzzer drives
// it in the fuzz build, replaymain.cpp replays the seed corpus in the test run.
// A GenICam exception is a refusal; anything else escaping, a crash, a
// sanitizer report or a failed oracle (require) is a finding.
#include "genicam/genericexception.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace Fuzz {
/// Creates, once, the offscreen QApplication with settings in a temporary folder.
void ensureApplication();
inline QByteArray bytes(const uint8_t* data, size_t size) { return QByteArray(reinterpret_cast<const char*>(data), int(size)); }
template<typename Call> void refusable(Call&& call)
{
    try {
        call();
    } catch (const GenICam::GenericException&) {
    }
}
inline void require(bool holds) { if (!holds) std::abort(); }
} // namespace Fuzz
