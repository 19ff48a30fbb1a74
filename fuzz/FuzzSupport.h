// Shared by the fuzz targets: the stand-in's world from the input's first byte, and a check that
// stops the run with the input that broke a property.
#pragma once
#include "HostStub.h"
#include "TinyUtils.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace Fuzz {

// Bit 0 of the selector picks the locale: Japanese (code page 932, lead bytes) or English (none).
inline void SelectLocale(unsigned char selector) {
    HostStub::Reset();
    if (selector & 1) {
        HostStub::Current().ThreadLocale = 0x0409;
        HostStub::Current().AnsiCodePage = 1252;
    }
    TinyUtils::Startup();
}

// Bytes as a string without NULs: the program's strings come from zero-terminated ANSI text.
inline std::string Text(const uint8_t* data, size_t size) {
    std::string s;
    s.reserve(size);
    for (size_t i = 0; i < size; ++i)
        if (data[i] != 0) s += static_cast<char>(data[i]);
    return s;
}

#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);                \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

} // namespace Fuzz
