// Both readings of a byte text for the portable tests, which convert no code page: the exact text
// takes one unit per character (a lead byte and its trail byte together), so that spaces, delimiters
// and the count of characters read in it as they do in the bytes.
#pragma once
#include "TinyUtils.h"

#include <string>

inline TinyUtils::TText TestText(const std::string& Bytes) {
    TinyUtils::TText t{Bytes, std::wstring()};
    for (size_t i = 0; i < Bytes.size(); ++i) {
        const unsigned b = static_cast<unsigned char>(Bytes[i]);
        if (TinyUtils::ByteKindAt(Bytes, static_cast<int32_t>(i + 2)) == TinyUtils::bkTrail)
            t.Wide += static_cast<wchar_t>(b << 8 | static_cast<unsigned char>(Bytes[++i]));
        else
            t.Wide += static_cast<wchar_t>(b);
    }
    return t;
}
