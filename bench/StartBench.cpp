// Start-up to clipboard: the whole process "Pathgrab.exe FILE" with Shift held (it copies the long path at
// once and exits) against the floor programs, started alternately under the same Wine, each run checked
// for exit code 0 and the right clipboard text.
// Given the stamped builds of the program and the floor, it then splits their wall time into phases.
//   StartBench.exe PATHGRAB_EXE FLOOR_EXE FLOOR_COM_EXE [ROUNDS [PATHGRAB_STAMPED FLOOR_STAMPED]]
#include "BenchSupport.h"
#define BENCH_DRIVER
#include "Stamps.h"

#include <cstdlib>

namespace {

struct Program {
    const char* label;
    std::string exe;
    std::vector<double> times;
};

void Shift(bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_SHIFT;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    Bench::Pump();
    Sleep(50);
}

// Phases of a start: process creation to the entry, module start-up, the work, finalisation, and the
// return from the entry to the end the driver sees (the runtime's exit and the process teardown).
int Split(const std::string& stamped, const std::string& floor, const std::string& expected, int rounds) {
    const char* const phases[] = {"start to entry", "module start-up", "work", "finalisation", "exit to seen"};
    std::vector<double> split[2][5];
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "pgbench-stamps.txt";
    SetEnvironmentVariableA("STAMP_OUT", out.c_str());
    int failures = 0;
    for (int round = 0; round < rounds + 1; ++round) {
        for (int k = 0; k < 2; ++k) {
            const int which = round % 2 ? 1 - k : k;
            const std::string& exe = which ? floor : stamped;
            DeleteFileA(out.c_str());
            Bench::WriteClipboard("-");
            DWORD code = 1;
            double t0 = 0;
            const double ms = Bench::RunTimed(exe, Bench::Quoted(exe) + " " + Bench::Quoted(expected), code, &t0);
            double s[4];
            const std::string text = Bench::ReadFileBytes(out);
            if (ms < 0 || code != 0 || Bench::ReadClipboard() != expected || Bench::ReadStamps(text, s, 4) != 4) {
                ++failures;
                std::fprintf(stderr, "StartBench: stamped run of %s failed\n", exe.c_str());
                continue;
            }
            if (round == 0) continue;
            const double borders[6] = {t0, s[0], s[1], s[2], s[3], t0 + ms};
            for (int p = 0; p < 5; ++p) split[which][p].push_back(borders[p + 1] - borders[p]);
        }
    }
    SetEnvironmentVariableA("STAMP_OUT", nullptr);
    std::printf("\n| phase (median ms) | Pathgrab.exe | floor | difference |\n|---|---|---|---|\n");
    for (int p = 0; p < 5; ++p) {
        const double a = Bench::Median(split[0][p]), b = Bench::Median(split[1][p]);
        std::printf("| %s | %.2f | %.2f | %+.2f |\n", phases[p], a, b, a - b);
    }
    return failures;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: StartBench PATHGRAB_EXE FLOOR_EXE FLOOR_COM_EXE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 21;
    Program programs[] = {{"Pathgrab.exe", argv[1], {}}, {"floor", argv[2], {}}, {"floor+COM", argv[3], {}}};

    // A file whose path needs the quotes the shell would give it.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "pgbench start";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + "\\Sample File.txt";
    Bench::WriteFileBytes(file, "x");
    const std::string expected = Bench::LongPathOf(file);
    if (expected.empty()) {
        std::fprintf(stderr, "StartBench: no long form of %s\n", file.c_str());
        return 1;
    }

    Shift(true);
    if (!(GetAsyncKeyState(VK_SHIFT) & 0x8000)) std::fprintf(stderr, "StartBench: Shift does not show as held\n");
    int failures = 0;
    const int warmup = 3;
    for (int round = 0; round < warmup + rounds; ++round) {
        // Every order of the three in turn, so that none always runs first or last.
        static const int orders[6][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 2, 1}, {2, 1, 0}, {1, 0, 2}};
        for (int k : orders[round % 6]) {
            Program& p = programs[k];
            Bench::WriteClipboard("-");
            DWORD code = 1;
            const double ms = Bench::RunTimed(p.exe, Bench::Quoted(p.exe) + " " + Bench::Quoted(expected), code);
            const std::string got = Bench::ReadClipboard();
            if (ms < 0 || code != 0 || got != expected) {
                ++failures;
                std::fprintf(stderr, "StartBench: %s run %d: time %.1f, exit %lu, clipboard \"%s\"\n", p.label, round,
                             ms, static_cast<unsigned long>(code), got.c_str());
                continue;
            }
            if (round >= warmup) p.times.push_back(ms);
        }
    }
    if (argc > 6) failures += Split(argv[5], argv[6], expected, rounds);
    Shift(false);

    Bench::PrintRow({"start-up to clipboard: Pathgrab.exe FILE (Shift) / floor", programs[0].times,
                     programs[1].times, "<= 1.02"});
    Bench::PrintRow({"  attribution: floor+COM (OLE32, SHELL32, CoInitialize x2) / floor", programs[2].times,
                     programs[1].times, ""});
    Bench::PrintRow({"  attribution: Pathgrab.exe FILE (Shift) / floor+COM", programs[0].times, programs[2].times,
                     ""});
    if (failures) std::printf("StartBench: %d runs failed their check\n", failures);
    return failures ? 1 : 0;
}
