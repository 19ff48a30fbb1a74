// Lead-byte classification: the run-length rule of ClassifyByte and ByteKindAt agrees at every
// position with a plain scan from the start of the string.
#include "FuzzSupport.h"

#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    Fuzz::SelectLocale(data[0]);
    const std::string s = Fuzz::Text(data + 1, size - 1);
    const size_t n = s.size();

    std::vector<TinyUtils::TByteKind> expected(n + 1, TinyUtils::bkSingle);
    if (TinyUtils::MultiByteLocale) {
        for (size_t i = 0; i < n;) {
            if (TinyUtils::IsLeadByteValue(static_cast<unsigned char>(s[i]))) {
                expected[i] = TinyUtils::bkLead;
                if (i + 1 < n) expected[i + 1] = TinyUtils::bkTrail;
                i += 2;
            } else {
                ++i;
            }
        }
    }
    std::unique_ptr<char[]> exact(new char[n + 1]);
    s.copy(exact.get(), n);
    exact[n] = '\0';
    for (size_t i = 0; i <= n; ++i) {
        FUZZ_CHECK(TinyUtils::ByteKindAt(s, static_cast<int32_t>(i + 1)) == expected[i]);
        if (TinyUtils::MultiByteLocale)
            FUZZ_CHECK(TinyUtils::ClassifyByte(exact.get(), static_cast<int32_t>(i)) == expected[i]);
    }
    FUZZ_CHECK(TinyUtils::ByteKindAt(s, 0) == TinyUtils::bkSingle);
    FUZZ_CHECK(TinyUtils::ByteKindAt(s, static_cast<int32_t>(n + 2)) == TinyUtils::bkSingle);
    return 0;
}
