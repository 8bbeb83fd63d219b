// How fast the editor is on a 4 MB program: loading it, searching it through, typing a character
// in its middle, and undoing a replace-all of 10 000 occurrences.
// Run: build*/bin/editor_benchmark (a Release build gives the figures that matter).

#include "common/paths.h"
#include "editor/editcore.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace panolcd {
namespace {

// A Vorn-Basic-like program of about 4 MB in lines of 60 characters.
const std::string& ProgramFile() {
    static const std::string file = [] {
        const auto path = std::filesystem::temp_directory_path() / "panolcd-bench.PRG";
        std::ofstream out(path, std::ios::binary);
        const std::string line = "  position 10,20;print \"Teplota=\",Teplota:4; { komentar }\r\n";
        // 4 MB and room for typing; the last line holds what the search looks for.
        for (std::size_t size = 0; size + line.size() < 4000000; size += line.size())
            out << line;
        out << "HLEDANY_TEXT\r\n";
        return FromFsPath(path);
    }();
    return file;
}

void Load(benchmark::State& state) {
    SmartEditCore editor;
    for (auto _ : state)
        editor.Load(ProgramFile());
    state.counters["bytes"] = static_cast<double>(editor.Text().Length());
}
BENCHMARK(Load)->Unit(benchmark::kMillisecond);

void SearchThrough(benchmark::State& state) {
    SmartEditCore editor;
    editor.Load(ProgramFile());
    for (auto _ : state) {
        const auto hit =
            FindInText(editor.Text(), "HLEDANY_TEXT", sf::kMatchCase, 0, editor.Text().Length());
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(SearchThrough)->Unit(benchmark::kMillisecond);

void SearchThroughAnyCase(benchmark::State& state) {
    SmartEditCore editor;
    editor.Load(ProgramFile());
    for (auto _ : state) {
        const auto hit = FindInText(editor.Text(), "hledany_text", 0, 0, editor.Text().Length());
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(SearchThroughAnyCase)->Unit(benchmark::kMillisecond);

void TypeInTheMiddle(benchmark::State& state) {
    SmartEditCore editor;
    editor.Load(ProgramFile());
    editor.SetCaretOffset(editor.Text().Length() / 2);
    // A character typed and taken back, each an undo step, the line's state kept.
    for (auto _ : state) {
        editor.TypeChar('x');
        editor.Text().SetLineState(editor.Text().LineOf(editor.CaretOffset()), 1);
        editor.Backspace();
    }
}
BENCHMARK(TypeInTheMiddle)->Unit(benchmark::kMicrosecond);

void UndoReplaceAll(benchmark::State& state) {
    SmartEditCore editor;
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "Teplota=";
    for (auto _ : state) {
        state.PauseTiming();
        editor.Clear();
        editor.InsertText(text);
        editor.replace = {0, "Teplota", "Tlak"};
        editor.Replace(true);
        state.ResumeTiming();
        editor.Undo();
    }
}
BENCHMARK(UndoReplaceAll)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace panolcd

BENCHMARK_MAIN();
