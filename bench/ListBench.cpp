// The list commands at the command-line limit. Started without arguments, it creates about 700 files in
// a scratch folder and starts itself with their quoted paths as a command line just under 32,767 bytes.
// That child times, alternately in one process, what the quoted long-path list command does from its
// WM_COMMAND to the clipboard write against the floor of one GetLongPathNameA per file and one
// clipboard write, and checks every clipboard text it wrote.
//   ListBench.exe [ROUNDS [FOLDER]]   FOLDER: where the files go (default: the temporary folder)
#include "BenchSupport.h"

#include "Pathgrab.h"
#include "Runtime.h"
#include "TinyUtils.h"

#include <cstdlib>

namespace {

const size_t CommandLineLimit = 32767; // with its terminating zero
const int FileCount = 700;

// ---- The child: measures ---------------------------------------------------------------------------

void RawClipboardWrite(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (void* bytes = block ? GlobalLock(block) : nullptr) {
        memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        EmptyClipboard();
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

std::string FloorText(const std::vector<std::string>& args) {
    std::string text;
    char buffer[MAX_PATH + 1];
    for (const std::string& arg : args) {
        const DWORD n = GetLongPathNameA(arg.c_str(), buffer, sizeof buffer);
        text.append(buffer, n < sizeof buffer ? n : 0);
        text += "\r\n";
    }
    return text;
}

// The reading the list commands had before: ParamStr per argument, twice (length test, conversion),
// each call rescanning the line from its start.
std::vector<std::string> ArgsByIndex() {
    std::vector<std::string> args;
    for (int i = 1; i <= Runtime::ParamCount(); ++i)
        if (Runtime::ParamStr(i).size() <= MAX_PATH) args.push_back(Runtime::ParamStr(i));
    return args;
}

// The exact text of each argument, its bytes converted but nothing asked of the file system.
TinyUtils::TText Converted(const TinyUtils::TText& s) {
    return {TinyUtils::ToAnsi(s.Wide).Bytes, s.Wide};
}

TinyUtils::TText LongText(const TinyUtils::TText& s) {
    return TinyUtils::PathText(TinyUtils::ToLongPath(s.Wide));
}

std::vector<TinyUtils::TText> Exact(const std::vector<std::string>& args) {
    std::vector<TinyUtils::TText> exact;
    for (const std::string& a : args)
        exact.push_back({std::string(), TinyUtils::WideFromBytes(a, CP_ACP)});
    return exact;
}

int Child(int rounds) {
    TinyUtils::Startup();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ListBenchOwner";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance,
                               nullptr);
    const std::vector<std::string> args = Runtime::ParamStrs();

    TinyUtils::TText expectedText;
    Pathgrab::MakePathListText(true, expectedText);
    const std::string expected = expectedText.Bytes;
    const std::string floorExpected = FloorText(args);
    size_t lines = 0;
    for (size_t at = 0; (at = expected.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    std::printf("ListBench: %zu files, command line %zu bytes, list text %zu bytes in %zu lines\n", args.size(),
                strlen(GetCommandLineA()), expected.size(), lines);
    if (lines != args.size() || expected.find('"') == std::string::npos) {
        std::printf("ListBench: the list text is not one quoted-where-needed line per file\n");
        return 1;
    }

    struct Step {
        std::vector<double> times;
    } product, floor, byIndex, toLong, getLong, computing, offer;
    int failures = 0;
    auto check = [&](const char* name, const std::string& want) {
        if (Bench::ReadClipboard() != want) {
            ++failures;
            std::printf("ListBench: %s wrote the wrong clipboard text\n", name);
        }
    };
    // What the menu of several items asks before it opens: each drive's type, whether a WSL path or a
    // Git work tree is among them (each folder asked once, in the process's first call).
    const std::vector<std::wstring> wideArgs = Runtime::WideParamStrs();
    const double offerStart = Bench::NowMs();
    const Pathgrab::TListOffer firstOffer = Pathgrab::ListOfferOf(wideArgs);
    const double firstOfferMs = Bench::NowMs() - offerStart;
    const int warmup = 1;
    for (int round = 0; round < warmup + rounds; ++round) {
        const bool keep = round >= warmup;
        // Each round in the other order, so that neither side always runs first.
        for (int k = 0; k < 7; ++k) {
            const int step = round % 2 ? 6 - k : k;
            Bench::WriteClipboard("-");
            double t0 = Bench::NowMs(), t1 = 0;
            switch (step) {
            case 0: {
                TinyUtils::TText text;
                Pathgrab::MakePathListText(true, text);
                TinyUtils::PutClipboardText(wnd, text);
                t1 = Bench::NowMs();
                check("MakePathListText", expected);
                if (keep) product.times.push_back(t1 - t0);
                break;
            }
            case 1: {
                RawClipboardWrite(wnd, FloorText(args));
                t1 = Bench::NowMs();
                check("floor", floorExpected);
                if (keep) floor.times.push_back(t1 - t0);
                break;
            }
            case 2: {
                TinyUtils::PutClipboardText(wnd,
                                            Pathgrab::PathListText(Exact(ArgsByIndex()), true, LongText));
                t1 = Bench::NowMs();
                check("ParamStr per argument", expected);
                if (keep) byIndex.times.push_back(t1 - t0);
                break;
            }
            case 3: {
                size_t total = 0;
                for (const std::string& a : args) total += TinyUtils::ToLongPath(a).size();
                t1 = Bench::NowMs();
                if (keep && total) toLong.times.push_back(t1 - t0);
                break;
            }
            case 4: {
                size_t total = 0;
                for (const std::string& a : args) total += Bench::LongPathOf(a).size();
                t1 = Bench::NowMs();
                if (keep && total) getLong.times.push_back(t1 - t0);
                break;
            }
            case 5: {
                // Everything but the file system: the one-pass reading, quoting, sort and text.
                std::vector<TinyUtils::TText> exact;
                for (std::wstring& a : Runtime::WideParamStrs())
                    exact.push_back({std::string(), std::move(a)});
                const TinyUtils::TText text = Pathgrab::PathListText(exact, true, Converted);
                t1 = Bench::NowMs();
                if (keep && !text.Wide.empty()) computing.times.push_back(t1 - t0);
                break;
            }
            case 6: {
                const Pathgrab::TListOffer o = Pathgrab::ListOfferOf(wideArgs);
                t1 = Bench::NowMs();
                if (keep && o.Wsl == firstOffer.Wsl) offer.times.push_back(t1 - t0);
                break;
            }
            }
        }
    }
    Bench::PrintRow({"list (" + std::to_string(args.size()) + " files): quoted long paths, WM_COMMAND to clipboard / floor",
                     product.times, floor.times, "<= 1.10"});
    Bench::PrintRow({"  same with ParamStr per argument (the rescanning reading) / floor", byIndex.times, floor.times, ""});
    Bench::PrintRow({"  attribution: ToLongPath x N / GetLongPathNameA x N", toLong.times, getLong.times, ""});
    Bench::PrintRow({"  attribution: reading, quoting, sort, text without file system / floor", computing.times,
                     floor.times, ""});
    Bench::PrintRow({"  menu offer before the popup (drives, WSL, work trees) / floor", offer.times, floor.times, ""});
    std::printf("ListBench: the process's first menu offer took %.2f ms (work tree %s)\n", firstOfferMs,
                firstOffer.Repo ? "found" : "none");
    if (failures) std::printf("ListBench: %d runs failed their check\n", failures);
    DestroyWindow(wnd);
    return failures ? 1 : 0;
}

// ---- The parent: sets up and starts the child ------------------------------------------------------

int Parent(int rounds, const char* where) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = (where ? std::string(where) + "\\" : std::string(temp)) + "pgl";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string self = Bench::OwnPath();
    std::string line = Bench::Quoted(self);
    // Names padded so that the line ends just under the limit; every other one holds a space, so the
    // quoted list has both kinds of line.
    const size_t room = CommandLineLimit - 8 - line.size();
    const size_t perFile = room / FileCount;
    const size_t longer = room % FileCount; // this many names get one byte more
    const size_t nameLength = perFile - 3 - folder.size() - 1;
    if (perFile < 3 + folder.size() + 1 + 12) {
        std::printf("ListBench: temporary folder path too long\n");
        return 1;
    }
    std::vector<std::string> files;
    for (int i = 0; i < FileCount; ++i) {
        char head[16];
        std::snprintf(head, sizeof head, i % 2 ? "f%04d_" : "f%04d ", (i * 7919) % FileCount);
        std::string name = head;
        name.append(nameLength + (static_cast<size_t>(i) < longer) - name.size() - 4, static_cast<char>('a' + i % 26));
        name += ".txt";
        files.push_back(folder + "\\" + name);
        if (!Bench::WriteFileBytes(files.back(), "x")) {
            std::printf("ListBench: cannot create %s\n", files.back().c_str());
            return 1;
        }
        line += " " + Bench::Quoted(files.back());
    }
    char roundsText[16];
    std::snprintf(roundsText, sizeof roundsText, "%d", rounds);
    SetEnvironmentVariableA("LISTBENCH_ROUNDS", roundsText);
    DWORD code = 1;
    std::fflush(stdout);
    const double ms = Bench::RunTimed(self, line, code);
    for (const std::string& f : files) DeleteFileA(f.c_str());
    RemoveDirectoryA(folder.c_str());
    if (ms < 0) std::printf("ListBench: the measuring child did not run\n");
    return ms < 0 ? 1 : static_cast<int>(code);
}

} // namespace

int main(int argc, char** argv) {
    if (const char* r = std::getenv("LISTBENCH_ROUNDS")) return Child(std::atoi(r));
    return Parent(argc > 1 ? std::atoi(argv[1]) : 15, argc > 2 ? argv[2] : nullptr);
}
