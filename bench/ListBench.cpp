// The list commands at the command-line limit. Started without arguments, it creates about 700 files in
// a scratch folder and starts itself with their quoted paths as a command line just under 32,767 bytes.
// That child times, alternately in one process, what the quoted long-path list command does from its
// WM_COMMAND to the clipboard write against the floor of one GetLongPathNameA per file and one
// clipboard write, and checks every clipboard text it wrote.
// Given the program and the list floor (FloorList.exe), the parent then times what the user waits for:
// from the key that picks the quoted list in the open menu to the end of the process, with the 700
// files and with two, the program and the floor alternated, each run's clipboard checked.
// With the stamped build as well, it splits the program's wait into its phases.
//   ListBench.exe [ROUNDS [PATHGRAB_EXE FLOOR_LIST_EXE [PATHGRAB_STAMPED]]]
#include "BenchSupport.h"
#include "Win32Support.h"
#define BENCH_DRIVER
#include "Stamps.h"

#include "Guards.h"
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
    } product, floor, byIndex, toLong, getLong, computing, offer, redirection;
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
        for (int k = 0; k < 8; ++k) {
            const int step = round % 2 ? 7 - k : k;
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
            case 7: {
                // What only the x86 flavour does per file: file-system redirection off and on again.
                for (size_t i = 0; i < args.size(); ++i) {
                    Guards::FsRedirectionOff off;
                }
                t1 = Bench::NowMs();
                if (keep) redirection.times.push_back(t1 - t0);
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
    Bench::PrintRow({"  attribution: file-system redirection off and on x N (x86 only) / floor", redirection.times,
                     floor.times, ""});
    std::printf("ListBench: the process's first menu offer took %.2f ms (work tree %s)\n", firstOfferMs,
                firstOffer.Repo ? "found" : "none");
    if (failures) std::printf("ListBench: %d runs failed their check\n", failures);
    DestroyWindow(wnd);
    return failures ? 1 : 0;
}

// ---- The parent: sets up and starts the child, then times the programs end to end -----------------

// From the key in the open menu to the end of the process: the time the user waits. Negative when the
// run failed its check; keyAt gets the clock at the key.
double KeyToEnd(const std::string& exe, const std::string& args, const std::string& expected, int& failures,
                double& keyAt) {
    using namespace TestSupport;
    WriteClipboard("-");
    CenterCursor();
    SharedForegroundWindow().TakeForeground();
    TestSupport::Child p = Start(exe, Quoted(exe) + args);
    if (!p.Started() || !WaitForMenuKeys(p, 60000)) {
        std::printf("ListBench: no menu from %s: %s%s\n", exe.c_str(), p.StartFailure().c_str(),
                    LastMenuWait().c_str());
        ++failures;
        return -1;
    }
    // The menu takes the digit on its key-down; the key goes up once the process has ended.
    keyAt = Bench::NowMs();
    KeyDown('2');
    const bool ended = p.Wait(60000);
    const double endAt = Bench::NowMs();
    KeyUp('2');
    if (!ended || p.ExitCode() != 0 || ReadClipboard().Text != expected) {
        std::printf("ListBench: %s with %zu bytes of arguments: ended %d, exit code %lu, wrong clipboard text\n",
                    exe.c_str(), args.size(), ended, static_cast<unsigned long>(p.ExitCode()));
        ++failures;
        return -1;
    }
    return endAt - keyAt;
}

// The program and the floor, each with the files and with the first two of them, in turn; given the
// stamped build, also that with the files, to split the program's wait into its phases.
int EndToEnd(int rounds, const std::string& pathgrab, const std::string& floor, const char* stamped,
             const std::vector<std::string>& files) {
    const std::vector<std::string> two(files.begin(), files.begin() + 2);
    struct Run {
        std::string exe;
        const std::vector<std::string>& files;
        std::string args, expected;
        std::vector<double> times;
    } runs[] = {{pathgrab, files, "", "", {}}, {pathgrab, two, "", "", {}}, {floor, files, "", "", {}},
                {floor, two, "", "", {}}, {stamped ? stamped : "", files, "", "", {}}};
    const int kinds = stamped ? 5 : 4;
    for (Run& r : runs) {
        for (const std::string& f : r.files) r.args += " " + Bench::Quoted(f);
        const bool isFloor = &r == &runs[2] || &r == &runs[3];
        r.expected = isFloor ? FloorText(r.files) : Pathgrab::PathListText(Exact(r.files), true, LongText).Bytes;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string stampFile = std::string(temp) + "pgbench-list-stamps.txt";
    std::vector<double> split[3]; // the key to the entry's return, finalisation, the exit to its sight
    int failures = 0;
    const int warmup = 1;
    for (int round = 0; round < warmup + rounds; ++round) {
        // Each round starts one kind later, so that none always runs first or last.
        for (int k = 0; k < kinds; ++k) {
            Run& r = runs[(round + k) % kinds];
            const bool stamping = &r == &runs[4];
            SetEnvironmentVariableA("STAMP_OUT", stamping ? stampFile.c_str() : nullptr);
            DeleteFileA(stampFile.c_str());
            double keyAt = 0;
            const double ms = KeyToEnd(r.exe, r.args, r.expected, failures, keyAt);
            if (round < warmup || ms < 0) continue;
            r.times.push_back(ms);
            double s[4];
            if (stamping && Bench::ReadStamps(Bench::ReadFileBytes(stampFile), s, 4) == 4) {
                split[0].push_back(s[2] - keyAt);
                split[1].push_back(s[3] - s[2]);
                split[2].push_back(keyAt + ms - s[3]);
            }
        }
    }
    SetEnvironmentVariableA("STAMP_OUT", nullptr);
    // Less the two-file run of the same round: what the files themselves cost.
    std::vector<double> program, floorCost;
    for (size_t i = 0; i < runs[0].times.size() && i < runs[1].times.size() && i < runs[2].times.size() &&
                       i < runs[3].times.size();
         ++i) {
        program.push_back(runs[0].times[i] - runs[1].times[i]);
        floorCost.push_back(runs[2].times[i] - runs[3].times[i]);
    }
    const std::string n = std::to_string(files.size());
    Bench::PrintRow({"list (" + n + " files): key to program end, less a two-file run / floor likewise", program,
                     floorCost, "<= 1.10"});
    Bench::PrintRow({"  key to program end, " + n + " files / floor", runs[0].times, runs[2].times, ""});
    Bench::PrintRow({"  key to program end, 2 files / floor", runs[1].times, runs[3].times, ""});
    if (!split[0].empty())
        std::printf("ListBench: the stamped program's wait for %s files (median ms): key to its entry's return "
                    "%.2f, finalisation %.2f, exit to its end seen %.2f\n",
                    n.c_str(), Bench::Median(split[0]), Bench::Median(split[1]), Bench::Median(split[2]));
    if (failures) std::printf("ListBench: %d end-to-end runs failed their check\n", failures);
    return failures;
}

int Parent(int rounds, const char* pathgrab, const char* floorList, const char* stamped) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "pgl";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string self = Bench::OwnPath();
    std::string line = Bench::Quoted(self);
    // Names padded so that the line ends just under the limit, for whichever program has the longest
    // path; every other one holds a space, so the quoted list has both kinds of line.
    size_t longest = self.size();
    for (const char* exe : {pathgrab, floorList, stamped})
        if (exe) longest = std::max(longest, strlen(exe));
    const size_t room = CommandLineLimit - 8 - (longest + 2);
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
    if (ms < 0) std::printf("ListBench: the measuring child did not run\n");
    int status = ms < 0 ? 1 : static_cast<int>(code);
    SetEnvironmentVariableA("LISTBENCH_ROUNDS", nullptr);
    if (pathgrab && floorList && EndToEnd(rounds, pathgrab, floorList, stamped, files)) status = 1;
    for (const std::string& f : files) DeleteFileA(f.c_str());
    RemoveDirectoryA(folder.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (const char* r = std::getenv("LISTBENCH_ROUNDS")) return Child(std::atoi(r));
    return Parent(argc > 1 ? std::atoi(argv[1]) : 15, argc > 3 ? argv[2] : nullptr, argc > 3 ? argv[3] : nullptr,
                  argc > 4 ? argv[4] : nullptr);
}
