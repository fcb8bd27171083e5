// Whether the record reader says a CSV record may hold a double quote: always when it does,
// which the key encoder relies on, and not when it does not, which spares the encoder a search.

#include "sorters/record_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvanta::sorters {
namespace {

TEST(RecordReader, SaysWhichRecordsMayHoldAQuote) {
    const std::string path = "record_reader_test_" + std::to_string(getpid()) + ".csv";
    // Records cross refills of the small buffers below, quotes among them.
    const std::string input =
        "plain,one\n"
        "a,\"quoted\",b\r\n"
        "after,quoted\n"
        "\"line feed\ninside\",x\n"
        "long plain record that fills a buffer of sixteen bytes several times\n"
        "long record whose only quote comes late, past the first refill: \"\n"
        "\",closed on the next line\n"
        "last,\"without line end\"";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(input.data(), 1, input.size(), file);
    std::fclose(file);
    for (const std::size_t bufferBytes : {16u, 20u, 33u, 4096u}) {
        File opened = File::OpenRead(path);
        RecordReader reader(opened, true, false, bufferBytes);
        std::string_view record;
        int records = 0;
        while (reader.Next(record) == RecordReader::Status::Record) {
            ++records;
            const bool holdsQuote = record.find('"') != std::string_view::npos;
            EXPECT_EQ(reader.RecordMayHoldQuote(), holdsQuote)
                << "record " << records << " '" << record << "', buffer " << bufferBytes;
        }
        EXPECT_EQ(records, 7) << "buffer " << bufferBytes;
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace orvanta::sorters
