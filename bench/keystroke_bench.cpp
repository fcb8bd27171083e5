// What one keystroke in the input field costs: a sample read of a file whose first record is
// about 64 KiB, the value preview, the key definition and the command preview. The baseline is
// the bare file access the sample read cannot avoid: one open, one 65,535-byte read, one close.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/command.h"
#include "core/csv_field.h"
#include "core/key_definition.h"
#include "core/key_preview.h"
#include "core/sample_record.h"

namespace orvanta {
namespace {

const char* BenchFile() {
    static const std::string path = [] {
        std::string name = "keystroke_bench_sample.csv";
        std::string record;
        while (record.size() < 64 * 1024 - 64) {
            record += "\"field " + std::to_string(record.size()) + "\",12345,\x95\x5C\x8E\xA6,";
        }
        record += "last\r\nsecond,record\n";
        std::FILE* file = std::fopen(name.c_str(), "wb");
        std::fwrite(record.data(), 1, record.size(), file);
        std::fclose(file);
        return name;
    }();
    return path.c_str();
}

void BareRead(benchmark::State& state) {
    const char* path = BenchFile();
    std::vector<char> buffer(kSampleReadLimit);
    for (auto _ : state) {
        int fd = open(path, O_RDONLY);
        benchmark::DoNotOptimize(read(fd, buffer.data(), buffer.size()));
        close(fd);
    }
}
BENCHMARK(BareRead);

void Keystroke(benchmark::State& state) {
    const char* path = BenchFile();
    auto sample = std::make_unique<SampleRecord>();
    auto command = std::make_unique<CommandBuffer>();
    KeyList keys;
    keys.Add(DisplayText("key(2,32)"));
    keys.Add(DisplayText("key(5)attr(d;i)"));
    SortPageSettings settings;
    settings.inputPath = "C:\\work\\keystroke_bench_sample.csv";
    settings.outputPath = "C:\\work\\keystroke_bench_sample_090000.csv";
    settings.keyPosition = "2000";
    settings.workFolder = "C:\\Temp";
    settings.delimiterHex = "2C";
    for (auto _ : state) {
        ReadSampleRecord(SortPageKind::Csv, path, *sample, ',');
        settings.valuePreview = PreviewCsvKeyValue(settings.keyPosition.view(),
                                                   settings.keyLength.view(), *sample, ',');
        settings.keyDefinition = ComposeKeyDefinition(settings);
        BuildCommandPreview(settings, keys, "C:\\Temp", *command);
        benchmark::DoNotOptimize(command->c_str());
    }
    if (sample->length < 60000 || settings.keyDefinition.empty()) {
        state.SkipWithError("the sample record was not read as expected");
    }
}
BENCHMARK(Keystroke);

// The parts of a keystroke on their own, to see where its time goes.
const SampleRecord& BenchSample() {
    static const auto sample = [] {
        auto record = std::make_unique<SampleRecord>();
        ReadSampleRecord(SortPageKind::Csv, BenchFile(), *record, ',');
        return record;
    }();
    return *sample;
}

void PartSampleRead(benchmark::State& state) {
    auto sample = std::make_unique<SampleRecord>();
    for (auto _ : state) {
        ReadSampleRecord(SortPageKind::Text, BenchFile(), *sample, ',');
        benchmark::DoNotOptimize(sample->length);
    }
}
BENCHMARK(PartSampleRead);

void PartCountFields(benchmark::State& state) {
    const SampleRecord& sample = BenchSample();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountFields(sample.view(), ','));
    }
}
BENCHMARK(PartCountFields);

void PartExtractField(benchmark::State& state) {
    const SampleRecord& sample = BenchSample();
    std::vector<char> out(kSampleTextStore);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExtractField(2000, sample.view(), out.data(), out.size(), ','));
    }
}
BENCHMARK(PartExtractField);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
