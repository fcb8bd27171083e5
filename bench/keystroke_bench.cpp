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

// The CSV page with two keys added and a pending key on field 2000.
class BenchPage {
  public:
    BenchPage() {
        keys_.Add(DisplayText("key(2,32)"));
        keys_.Add(DisplayText("key(5)attr(d;i)"));
        settings_.inputPath = "C:\\work\\keystroke_bench_sample.csv";
        settings_.outputPath = "C:\\work\\keystroke_bench_sample_090000.csv";
        settings_.keyPosition = "2000";
        settings_.workFolder = "C:\\Temp";
        settings_.delimiterHex = "2C";
    }

    // What follows the sample read: the value preview, the key definition, the command.
    void Compose(const SampleRecord& sample) {
        settings_.valuePreview = PreviewCsvKeyValue(settings_.keyPosition.view(),
                                                    settings_.keyLength.view(), sample, ',');
        settings_.keyDefinition = ComposeKeyDefinition(settings_);
        BuildCommandPreview(settings_, keys_, "C:\\Temp", *command_);
        benchmark::DoNotOptimize(command_->c_str());
    }

    bool Composed() const { return !settings_.keyDefinition.empty(); }

  private:
    std::unique_ptr<CommandBuffer> command_ = std::make_unique<CommandBuffer>();
    KeyList keys_;
    SortPageSettings settings_;
};

void Keystroke(benchmark::State& state) {
    const char* path = BenchFile();
    auto sample = std::make_unique<SampleRecord>();
    BenchPage page;
    for (auto _ : state) {
        ReadSampleRecord(SortPageKind::Csv, path, *sample, ',');
        page.Compose(*sample);
    }
    if (sample->length < 60000 || !page.Composed()) {
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
        ReadSampleRecord(SortPageKind::Csv, BenchFile(), *sample, ',');
        benchmark::DoNotOptimize(sample->fieldCount);
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

void PartCompose(benchmark::State& state) {
    const SampleRecord& sample = BenchSample();
    BenchPage page;
    for (auto _ : state) {
        page.Compose(sample);
    }
}
BENCHMARK(PartCompose);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
