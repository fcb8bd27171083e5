// The sorters' record splitter against a plain model of the record rules, over small buffers so
// that records cross every refill and growth of the buffer.

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "sorters/file_io.h"
#include "sorters/record_reader.h"

namespace {

// Records end at a line feed outside quotes (CSV: the flag flips at every quote); a carriage
// return before it belongs to the line end; a leading byte-order mark belongs to no record.
std::vector<std::string> ModelRecords(std::string_view bytes, bool csv, bool utf16) {
    const std::size_t unit = utf16 ? 2 : 1;
    const std::string_view mark = utf16 ? std::string_view("\xFF\xFE", 2) : "\xEF\xBB\xBF";
    std::size_t start = bytes.substr(0, mark.size()) == mark ? mark.size() : 0;
    auto unitAt = [&](std::size_t i) {
        return utf16 ? static_cast<unsigned>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8)
                     : static_cast<unsigned>(static_cast<unsigned char>(bytes[i]));
    };
    std::vector<std::string> records;
    bool inside = false;
    for (std::size_t i = start; i + unit <= bytes.size(); i += unit) {
        const unsigned u = unitAt(i);
        if (csv && u == '"') {
            inside = !inside;
        } else if (u == '\n' && !inside) {
            std::size_t end = i;
            if (end - start >= unit && unitAt(end - unit) == '\r') {
                end -= unit;
            }
            records.emplace_back(bytes.substr(start, end - start));
            start = i + unit;
            inside = false;
        }
    }
    if (start < bytes.size()) {
        records.emplace_back(bytes.substr(start));
    }
    return records;
}

// The file each input is written to, removed when the fuzzer ends.
struct ScratchFile {
    std::string path = "/tmp/orvanta_record_reader_fuzz_" + std::to_string(getpid()) + ".bin";
    ~ScratchFile() { std::remove(path.c_str()); }
};

const std::string& ScratchPath() {
    static const ScratchFile scratch;
    return scratch.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvanta::fuzz::FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    const bool csv = flags & 1;
    const bool utf16 = flags & 2;
    const std::size_t bufferBytes = 16 + (flags >> 2);
    const std::string_view bytes = input.Rest();

    std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    using orvanta::sorters::RecordReader;
    auto opened = orvanta::sorters::File::OpenRead(ScratchPath());
    RecordReader reader(opened, csv, utf16, bufferBytes);
    std::vector<std::string> records;
    std::string_view record;
    RecordReader::Status status;
    while ((status = reader.Next(record)) == RecordReader::Status::Record) {
        // The key encoder skips its own search for quotes on this word.
        if (record.find('"') != std::string_view::npos && !reader.RecordMayHoldQuote()) {
            __builtin_trap();
        }
        records.emplace_back(record);
    }
    if (status != RecordReader::Status::End || records != ModelRecords(bytes, csv, utf16)) {
        __builtin_trap();
    }
    return 0;
}
