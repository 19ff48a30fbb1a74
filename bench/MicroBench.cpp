// Host micro-benchmarks of the portable modules, so that a regression shows before it reaches Wine:
// the tokenizer over a command line at the limit, lead-byte classification over long runs of lead-byte
// values, the path operations on a long double-byte path, the list sort and text, and the reader of
// copied files.
#include <benchmark/benchmark.h>

#include "HostStub.h"
#include "Pathgrab.h"
#include "Runtime.h"
#include "SimpleStrList.h"
#include "TinyUtils.h"

#include <string>
#include <vector>

namespace {

// About 700 quoted paths, half with a space, some with double-byte names: just under 32,767 bytes.
std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (int i = 0; i < 700; ++i) {
        std::string p = "C:\\Users\\someone\\Work\\";
        p += i % 3 ? "Reports 20" : "\x83\x5C\x95\x5C\x8E\x9A";
        p += std::to_string((i * 7919) % 1000);
        p += i % 2 ? " final" : "_draft";
        p += ".txt";
        paths.push_back(p);
    }
    return paths;
}

std::string CommandLine() {
    std::string line = "\"C:\\Program Files\\Pathgrab\\Pathgrab.exe\"";
    for (const std::string& p : Paths()) line += " \"" + p + "\"";
    return line;
}

void BM_ScanParam_WholeLine(benchmark::State& state) {
    const std::string line = CommandLine();
    for (auto _ : state) {
        std::string token;
        const char* cursor = line.c_str();
        int n = 0;
        do {
            cursor = Runtime::ScanParam(cursor, token);
            ++n;
        } while (!token.empty());
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_ScanParam_WholeLine);

void BM_ParamStrs_OnePass(benchmark::State& state) {
    HostStub::Current().CommandLine = CommandLine();
    for (auto _ : state) benchmark::DoNotOptimize(Runtime::ParamStrs());
    HostStub::Reset();
}
BENCHMARK(BM_ParamStrs_OnePass);

// The rescanning reading, for comparison: ParamStr per argument.
void BM_ParamStr_PerArgument(benchmark::State& state) {
    HostStub::Current().CommandLine = CommandLine();
    for (auto _ : state) {
        const int count = Runtime::ParamCount();
        for (int i = 1; i <= count; ++i) benchmark::DoNotOptimize(Runtime::ParamStr(i));
    }
    HostStub::Reset();
}
BENCHMARK(BM_ParamStr_PerArgument)->Unit(benchmark::kMillisecond);

// The byte after a run of N lead-byte values: the classification walks back over the whole run.
void BM_ClassifyByte_AfterLeadRun(benchmark::State& state) {
    const std::string s = std::string(static_cast<size_t>(state.range(0)), '\x81') + "\\";
    const int32_t at = static_cast<int32_t>(s.size() - 1);
    for (auto _ : state) benchmark::DoNotOptimize(TinyUtils::ClassifyByte(s.c_str(), at));
}
BENCHMARK(BM_ClassifyByte_AfterLeadRun)->RangeMultiplier(8)->Range(8, 32768);

// Every position of a run of kanji whose trail bytes are lead-byte values, as a backward search meets them.
void BM_ByteKindAt_EveryPosition(benchmark::State& state) {
    std::string s;
    while (s.size() < static_cast<size_t>(state.range(0))) s += "\x8E\x9A";
    for (auto _ : state) {
        int trail = 0;
        for (int32_t i = 1; i <= static_cast<int32_t>(s.size()); ++i) trail += TinyUtils::ByteKindAt(s, i) == TinyUtils::bkTrail;
        benchmark::DoNotOptimize(trail);
    }
}
BENCHMARK(BM_ByteKindAt_EveryPosition)->Arg(260)->Arg(4096);

// A 260-byte path of double-byte names whose trail bytes are backslashes or lead-byte values.
std::string LongDbcsPath() {
    std::string p = "C:\\";
    while (p.size() < 240) p += "\x83\x5C\x8E\x9A\x95\x5C\\";
    p += "\x83\x5C name.tar.gz";
    return p;
}

void BM_PathOperations(benchmark::State& state) {
    const std::string p = LongDbcsPath();
    for (auto _ : state) {
        benchmark::DoNotOptimize(TinyUtils::PathFileName(p));
        benchmark::DoNotOptimize(TinyUtils::PathFolder(p));
        benchmark::DoNotOptimize(TinyUtils::PathChangeExt(p, std::string()));
        benchmark::DoNotOptimize(TinyUtils::PathExt(p));
        benchmark::DoNotOptimize(TinyUtils::ContainsSpace(p));
        benchmark::DoNotOptimize(TinyUtils::UpperCaseLocale(p));
        benchmark::DoNotOptimize(TinyUtils::DoubleAmpersands(p));
        benchmark::DoNotOptimize(TinyUtils::DropTrailingBackslash(TinyUtils::AddTrailingBackslash(p)));
    }
}
BENCHMARK(BM_PathOperations);

void BM_StrList_AddSortText(benchmark::State& state) {
    const std::vector<std::string> paths = Paths();
    for (auto _ : state) {
        SimpleStrList::TSimpleStrList list;
        for (const std::string& p : paths) list.Add(p);
        list.Sort();
        std::string text;
        list.GetText(text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_StrList_AddSortText)->Unit(benchmark::kMicrosecond);

TinyUtils::TText Identity(const TinyUtils::TText& s) {
    return s;
}

void BM_PathListText_Quoted(benchmark::State& state) {
    std::vector<TinyUtils::TText> paths;
    for (const std::string& p : Paths())
        paths.push_back({p, std::wstring(p.begin(), p.end())});
    for (auto _ : state) benchmark::DoNotOptimize(Pathgrab::PathListText(paths, true, Identity));
}
BENCHMARK(BM_PathListText_Quoted)->Unit(benchmark::kMicrosecond);

// The copied-files reader over a file list of N names (wide, as every file manager writes it) and over
// the same names as "Copy as path" text: it should grow linearly with N.
std::wstring CopiedName(int64_t i) {
    return L"C:\\Users\\someone\\Work\\Reports 20" + std::to_wstring(i) + L" \u8868\u30BD final.txt";
}

std::wstring NameOf(const std::string& Bytes) {
    return std::wstring(Bytes.begin(), Bytes.end());
}

void BM_DropFileNames(benchmark::State& state) {
    std::vector<unsigned char> block(20, 0);
    block[0] = 20;
    block[16] = 1;
    for (int64_t i = 0; i < state.range(0); ++i)
        for (wchar_t c : CopiedName(i) + L'\0')
            block.insert(block.end(), {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8)});
    block.insert(block.end(), {0, 0});
    for (auto _ : state)
        benchmark::DoNotOptimize(TinyUtils::DropFileNames(block.data(), block.size(), NameOf));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DropFileNames)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

void BM_TextPaths(benchmark::State& state) {
    std::wstring text;
    for (int64_t i = 0; i < state.range(0); ++i)
        text += L"\"" + CopiedName(i) + L"\"\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(TinyUtils::TextPaths(text));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TextPaths)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    TinyUtils::Startup(); // the stand-in's default world: Japanese, code page 932
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
