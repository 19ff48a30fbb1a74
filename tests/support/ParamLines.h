// Seeded command lines for the differential tests of the argument reading, and an independent reading
// of the splitting rules to hold the results against. Header only: the host tests and the Wine tests
// both include it, with their own lead-byte test.
#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace ParamLines {

typedef bool (*TIsLead)(unsigned char b);

inline bool IsLead932(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool NoLeadBytes(unsigned char) { return false; }

// The arguments a command line holds by the splitting rules. Written apart from the product's scanner:
// the line is cut into characters once, from its start, and a small state machine walks them.
inline std::vector<std::string> ExpectedArgs(const std::string& line, TIsLead isLead) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < line.size();) {
        const size_t n = isLead(static_cast<unsigned char>(line[i])) && i + 1 < line.size() ? 2 : 1;
        chars.push_back(line.substr(i, n));
        i += n;
    }
    auto isSeparator = [&](size_t k) {
        return chars[k].size() == 1 && static_cast<unsigned char>(chars[k][0]) <= 0x20;
    };
    auto isQuote = [&](size_t k) { return chars[k] == "\""; };

    std::vector<std::string> tokens;
    size_t k = 0;
    for (;;) {
        for (;;) {
            while (k < chars.size() && isSeparator(k)) ++k;
            if (k + 1 < chars.size() && isQuote(k) && isQuote(k + 1)) {
                k += 2;
                continue;
            }
            break;
        }
        std::string token;
        bool quoted = false;
        for (; k < chars.size(); ++k) {
            if (isQuote(k))
                quoted = !quoted;
            else if (!quoted && isSeparator(k))
                break;
            else
                token += chars[k];
        }
        if (token.empty()) break; // the list ends at the first empty token
        tokens.push_back(token);
    }
    if (!tokens.empty()) tokens.erase(tokens.begin()); // the program name
    return tokens;
}

// Printable form of a line for failure messages.
inline std::string Escaped(const std::string& s) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// Command lines built from the pieces that stress the rules: quotes anywhere, empty pairs, every control
// byte as a separator, code page 932 characters (trail bytes 0x5C and lead-byte values among them, and
// invalid pairs whose second byte is a quote or a space), single high bytes, unterminated quoted runs
// and a lone lead byte at the very end. mt19937 yields the same numbers everywhere, so a seed names a
// line on the host and under Wine alike.
class Generator {
  public:
    // charactersOnly: no byte sequences that are no characters of code page 932 (pairs with an invalid
    // second byte, a lead byte at the end), for lines that must pass through the system's conversion
    // to Unicode unchanged, as a child's command line does.
    explicit Generator(uint32_t seed, bool charactersOnly = false) : rng_(seed), charactersOnly_(charactersOnly) {}

    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(rng_() % n); }

    // Roughly `pieces` pieces after a program name; long lines grow until they reach `minLength` bytes.
    std::string Line(uint32_t pieces, size_t minLength = 0) {
        std::string line = ProgramName();
        for (uint32_t i = 0; i < pieces || line.size() < minLength; ++i) line += Piece();
        if (!charactersOnly_ && Below(8) == 0) line += static_cast<char>(0x81 + Below(0x1F)); // a lead byte without its trail
        return line;
    }

    std::string ProgramName() {
        switch (Below(6)) {
        case 0: return "\"C:\\Program Files\\Pathgrab.exe\"";
        case 1: return "";
        case 2: return "\"\"";
        case 3: return " \t";
        case 4: return "\x83\x5C\\p\"x y\"z";
        default: return "p.exe";
        }
    }

    std::string Piece() {
        static const char* const dbcs[] = {
            "\x83\x5C", // katakana so: trail byte 0x5C
            "\x95\x5C", // a kanji with the same trail byte
            "\x8E\x9A", // a kanji whose trail byte is a lead-byte value
            "\x82\xA0", // hiragana a
            "\xE0\x40", "\xE0\xFC", "\xFC\x4B",
            "\x81\x40", // full-width space: not a separator
            // Last: no characters of the code page, but a lead byte takes the next byte along all the same.
            "\x81\x22", "\x83\x20", "\x9F\x09",
        };
        static const char singles[] = "\x7F\x80\xA0\xB1\xDF\xFD\xFE\xFF";
        static const char word[] = "abcXYZ019\\.:-_'&%";
        switch (Below(12)) {
        case 0: return " ";
        case 1: return std::string(1, static_cast<char>(1 + Below(0x20))); // any control byte or space
        case 2: return "\"";
        case 3: return "\"\"";
        case 4:
        case 5: return dbcs[Below(sizeof dbcs / sizeof dbcs[0] - (charactersOnly_ ? 3 : 0))];
        case 6: return std::string(1, singles[Below(sizeof singles - 1)]);
        case 7: return "\\\"";
        case 8: return " \"" + Word(word) + " " + Word(word) + "\" ";
        default: return Word(word);
        }
    }

  private:
    std::string Word(const char* alphabet) {
        std::string w;
        const uint32_t n = 1 + Below(8);
        const size_t size = std::char_traits<char>::length(alphabet);
        for (uint32_t i = 0; i < n; ++i) w += alphabet[Below(static_cast<uint32_t>(size))];
        return w;
    }

    std::mt19937 rng_;
    bool charactersOnly_;
};

} // namespace ParamLines
