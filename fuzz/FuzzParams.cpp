// Command-line splitting over arbitrary command lines: ScanParam agrees token by token (and cursor by
// cursor) with a plain reading of the splitting rules, the one-pass reading equals ParamStr(i) for
// every i, no argument is empty, and the tokenizer never reads past the terminating NUL. Where every
// character of the line survives the code page, the wide line gives the same arguments.
#include "FuzzSupport.h"
#include "Runtime.h"

#include <iconv.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The rules read byte by byte: separators are 0x01-0x20, an empty pair of quotes counts as a separator,
// quotes open and close runs anywhere in a token, and a lead byte takes the next byte with it unless
// that is the end of the line.
std::vector<std::pair<std::string, size_t>> ModelTokens(const std::string& line) {
    const size_t n = line.size();
    auto at = [&](size_t k) { return static_cast<unsigned char>(line[k]); };
    auto width = [&](size_t k) {
        return TinyUtils::MultiByteLocale && TinyUtils::IsLeadByteValue(at(k)) && k + 1 < n ? 2u : 1u;
    };
    std::vector<std::pair<std::string, size_t>> tokens;
    size_t i = 0;
    for (;;) {
        for (;;) {
            while (i < n && at(i) <= 0x20)
                ++i;
            if (i + 1 < n && line[i] == '"' && line[i + 1] == '"') {
                i += 2;
                continue;
            }
            break;
        }
        std::string token;
        while (i < n && at(i) > 0x20) {
            if (line[i] == '"') {
                for (++i; i < n && line[i] != '"'; i += width(i))
                    token.append(line, i, width(i));
                if (i < n) ++i;
            } else {
                token.append(line, i, width(i));
                i += width(i);
            }
        }
        tokens.emplace_back(token, i);
        if (token.empty()) return tokens;
    }
}

// Text between a code page and wchar_t, with glibc's converters; false when a character does not
// convert (a broken sequence, or none in the target).
template <typename From, typename To> bool Convert(const char* to, const char* from, const From& in, To& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string buffer(in.size() * 8 + 8, '\0');
    char* src = const_cast<char*>(reinterpret_cast<const char*>(in.data()));
    size_t srcLeft = in.size() * sizeof(in[0]);
    char* dst = &buffer[0];
    size_t dstLeft = buffer.size();
    const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1) && srcLeft == 0;
    iconv_close(cd);
    const size_t bytes = buffer.size() - dstLeft;
    out.assign(reinterpret_cast<const typename To::value_type*>(buffer.data()), bytes / sizeof(out[0]));
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    Fuzz::SelectLocale(data[0]);
    const std::string line = Fuzz::Text(data + 1, size - 1);
    const auto model = ModelTokens(line);

    // An exactly sized copy, so that a read past the NUL is caught.
    std::unique_ptr<char[]> exact(new char[line.size() + 1]);
    std::memcpy(exact.get(), line.c_str(), line.size() + 1);
    std::string token;
    const char* cursor = exact.get();
    for (const auto& want : model) {
        cursor = Runtime::ScanParam(cursor, token);
        FUZZ_CHECK(token == want.first);
        FUZZ_CHECK(cursor == exact.get() + want.second);
        FUZZ_CHECK(static_cast<unsigned char>(*cursor) <= 0x20); // behind a token: a separator or the NUL
    }

    HostStub::Current().CommandLine = line;
    const int count = Runtime::ParamCount();
    // The model ends with its empty token; an empty program name ends the line at once.
    const size_t arguments = model.size() >= 2 ? model.size() - 2 : 0;
    FUZZ_CHECK(count >= 0 && static_cast<size_t>(count) == arguments);
    const std::vector<std::string> all = Runtime::ParamStrs();
    FUZZ_CHECK(static_cast<int>(all.size()) == count);
    for (int i = 1; i <= count; ++i) {
        FUZZ_CHECK(all[static_cast<size_t>(i - 1)] == model[static_cast<size_t>(i)].first);
        FUZZ_CHECK(all[static_cast<size_t>(i - 1)] == Runtime::ParamStr(i));
    }
    FUZZ_CHECK(Runtime::ParamStr(count + 1).empty());
    FUZZ_CHECK(Runtime::ParamStr(-1).empty());

    const char* codePage = TinyUtils::MultiByteLocale ? "CP932" : "CP1252";
    std::wstring wide;
    std::string back;
    if (Convert("WCHAR_T", codePage, line, wide) && Convert(codePage, "WCHAR_T", wide, back) && back == line) {
        HostStub::Current().WideCommandLine = wide;
        const std::vector<std::wstring> wideArgs = Runtime::WideParamStrs();
        FUZZ_CHECK(wideArgs.size() == all.size());
        for (size_t i = 0; i < wideArgs.size() && i < all.size(); ++i) {
            std::string bytes;
            FUZZ_CHECK(Convert(codePage, "WCHAR_T", wideArgs[i], bytes) && bytes == all[i]);
        }
    }
    return 0;
}
