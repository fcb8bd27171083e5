// Writes benchmark input: sort_bench_data csv|text BYTES SEED PATH.
// csv: rows "id,word,city,flag,amount,note" with words of 8 to 32 bytes from a fixed vocabulary (so
// keys repeat) and signed amounts; text: 100-byte records of printable bytes ending in a line feed.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed * 2654435761u + 1) {}
    std::uint64_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    std::uint64_t Below(std::uint64_t limit) { return Next() % limit; }

  private:
    std::uint64_t state_;
};

std::string RandomWord(Random& random, std::size_t length) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string word;
    for (std::size_t i = 0; i < length; ++i) {
        word.push_back(kLetters[random.Below(sizeof kLetters - 1)]);
    }
    return word;
}

void WriteCsv(std::FILE* out, std::uint64_t bytes, Random& random) {
    std::vector<std::string> vocabulary;
    for (int i = 0; i < 200000; ++i) {
        vocabulary.push_back(RandomWord(random, 8 + random.Below(25)));
    }
    std::uint64_t written = 0;
    std::string row;
    for (std::uint64_t id = 1; written < bytes; ++id) {
        const long long amount = static_cast<long long>(random.Below(2000000000)) - 1000000000;
        row = std::to_string(id) + "," + vocabulary[random.Below(vocabulary.size())] + "," +
              RandomWord(random, 6) + "," + (random.Below(2) != 0 ? "Y" : "N") + "," +
              std::to_string(amount) + "," + RandomWord(random, 45 + random.Below(30)) + "\n";
        std::fwrite(row.data(), 1, row.size(), out);
        written += row.size();
    }
}

void WriteText(std::FILE* out, std::uint64_t bytes, Random& random) {
    char record[100];
    for (std::uint64_t written = 0; written < bytes; written += sizeof record) {
        for (std::size_t i = 0; i + 1 < sizeof record; ++i) {
            record[i] = static_cast<char>(' ' + random.Below(95));
        }
        record[sizeof record - 1] = '\n';
        std::fwrite(record, 1, sizeof record, out);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: sort_bench_data csv|text BYTES SEED PATH\n");
        return 2;
    }
    const std::string kind = argv[1];
    const std::uint64_t bytes = std::strtoull(argv[2], nullptr, 10);
    Random random(std::strtoull(argv[3], nullptr, 10));
    std::FILE* out = std::fopen(argv[4], "wb");
    if (out == nullptr) {
        return 1;
    }
    static char buffer[1 << 20];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    if (kind == "csv") {
        WriteCsv(out, bytes, random);
    } else {
        WriteText(out, bytes, random);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
