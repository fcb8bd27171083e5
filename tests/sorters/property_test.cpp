// Random inputs and random keys: the output is the input's records, reordered stably by a plain
// model of the comparison (unsigned bytes, a prefix first, numbers by their exact value, each
// key's own direction). For /W every record is built in both forms, UTF-16 for the file and code
// page 932 for the keys, from characters whose code page 932 bytes are known.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/csv_field.h"
#include "tests/sorters/sorter_fixture.h"

namespace orvanta::sorters {
namespace {

struct ModelKey {
    int position;
    int length;
    bool descending;
};

std::string KeyOf(SorterKind kind, const std::string& record, const ModelKey& key) {
    if (kind == SorterKind::Text) {
        const std::size_t start = static_cast<std::size_t>(key.position - 1);
        return start < record.size() ? record.substr(start, key.length) : std::string();
    }
    std::vector<char> field(record.size() + 1);
    ExtractField(key.position, record, field.data(), field.size(), ',');
    return std::string(field.data()).substr(0, key.length);
}

// Bytes a record may hold: letters, digits, blanks, quotes-free CSV pieces and Shift-JIS pairs
// whose second byte equals a letter or the delimiter.
std::string RandomRecord(std::mt19937& random, SorterKind kind) {
    static const std::string pieces[] = {"a",    "B",        "z",        "0",        "9",
                                         " ",    "\x82\xA0", "\x83\x41", "\x83\x7C", "\x95\x5C",
                                         "\xB1", "~",        "\x81\x2C"};
    std::string record;
    const int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
        record += pieces[random() % std::size(pieces)];
        if (kind == SorterKind::Csv && random() % 4 == 0) {
            record += ',';
        }
    }
    return record;
}

int Below(std::mt19937& random, std::size_t count) {
    return static_cast<int>(random() % count);
}

bool OneIn(std::mt19937& random, std::size_t count) {
    return random() % count == 0;
}

// Text in both forms: the code page 932 bytes keys are taken from and the UTF-16 units that a /W
// file holds.
struct Dual {
    std::string narrow;
    std::u16string wide;

    Dual& operator+=(const Dual& more) {
        narrow += more.narrow;
        wide += more.wide;
        return *this;
    }
};

Dual Ascii(std::string_view text) {
    Dual dual{std::string(text), {}};
    for (char c : text) {
        dual.wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return dual;
}

// Characters whose code page 932 form is known.
const Dual kWideCharacters[] = {
    {"\x82\xA0", u"\u3042"},  // hiragana A
    {"\x83\x41", u"\u30A2"},  // katakana A, second byte 'A'
    {"\x95\x5C", u"\u8868"},  // second byte a backslash
    {"\xB1", u"\uFF71"},      // half-width katakana A: one byte
    {"\x81\x5B", u"\u30FC"},  // before U+3042 in code page 932, after it in UTF-16
    {"\x8F\xE3", u"\u4E0A"},  // UTF-16 bytes 0A 4E, no line feed
    {"\x95\x73", u"\u4E0D"},  // UTF-16 bytes 0D 4E, no carriage return
    {"\x82\x50", u"\uFF11"},  // full-width 1, no digit
    {"  ", u"\U0001F600"},    // outside the Basic Multilingual Plane: a blank for each unit
};

// Code page 932 bytes of one unit from the text above.
std::size_t NarrowWidth(char16_t unit) {
    const bool oneByte =
        unit < 0x80 || (unit >= 0xFF61 && unit <= 0xFF9F) || (unit >= 0xD800 && unit <= 0xDFFF);
    return oneByte ? 1 : 2;
}

// The units of `text` that fit in `width` bytes, then blanks up to it.
Dual Fit(const Dual& text, std::size_t width) {
    std::size_t units = 0;
    std::size_t bytes = 0;
    while (units < text.wide.size() && bytes + NarrowWidth(text.wide[units]) <= width) {
        bytes += NarrowWidth(text.wide[units++]);
    }
    Dual fitted{text.narrow.substr(0, bytes), text.wide.substr(0, units)};
    fitted += Ascii(std::string(width - bytes, ' '));
    return fitted;
}

std::string Utf16Le(std::u16string_view units) {
    std::string bytes;
    for (char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// A number as meant: its sign, integer digits without leading zeros, fraction digits without
// trailing zeros; zero has no digits.
struct Value {
    bool negative;
    std::string integer;
    std::string fraction;
};

std::string Digits(std::mt19937& random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) {
        digits.push_back(static_cast<char>('0' + Below(random, 10)));
    }
    return digits;
}

Value RandomValue(std::mt19937& random) {
    auto length = [&](int none, int longest) {
        return OneIn(random, none) ? 0
               : OneIn(random, 3)  ? 1 + Below(random, longest)
                                   : 1 + Below(random, 3);
    };
    Value value{OneIn(random, 2), Digits(random, length(4, 45)), Digits(random, length(2, 20))};
    if (!value.integer.empty()) {
        value.integer.front() = static_cast<char>('1' + Below(random, 9));
    }
    if (!value.fraction.empty()) {
        value.fraction.back() = static_cast<char>('1' + Below(random, 9));
    }
    return value;
}

// A value next to `value`, to catch a comparison that is not exact: the other sign, one more
// fraction digit, or another last integer digit.
Value Neighbour(std::mt19937& random, Value value) {
    if (OneIn(random, 3)) {
        value.negative = !value.negative;
    } else if (value.integer.size() < 2 || OneIn(random, 2)) {
        value.fraction += static_cast<char>('1' + Below(random, 9));
    } else {
        char& last = value.integer.back();
        last = static_cast<char>('0' + (last - '0' + 1 + Below(random, 9)) % 10);
    }
    return value;
}

// `value` as people write it: blanks before it, a plus sign, leading zeros, commas between integer
// digits, trailing fraction zeros, a dot without digits, text after it.
Dual WriteValue(std::mt19937& random, const Value& value) {
    // Drawn apart: argument order varies between compilers, and a seed must give the same rounds.
    const int blanks = OneIn(random, 4) ? 1 + Below(random, 2) : 0;
    std::string text(blanks, OneIn(random, 3) ? '\t' : ' ');
    text += value.negative ? "-" : OneIn(random, 4) ? "+" : "";
    std::string integer =
        std::string(OneIn(random, 4) ? 1 + Below(random, 3) : 0, '0') + value.integer;
    if (integer.empty()) {
        integer = "0";
    }
    if (OneIn(random, 3)) {
        // Thousands groups or commas anywhere between digits.
        const bool grouped = OneIn(random, 2);
        std::string withCommas;
        for (std::size_t i = 0; i < integer.size(); ++i) {
            if (i > 0 && (grouped ? (integer.size() - i) % 3 == 0 : OneIn(random, 3))) {
                withCommas += ',';
            }
            withCommas += integer[i];
        }
        integer = withCommas;
    }
    text += integer;
    if (!value.fraction.empty() || OneIn(random, 5)) {
        text += "." + value.fraction + std::string(Below(random, 3), '0');
    }
    // Commas after fraction digits are left out: only integer digits take commas.
    static const char* const after[] = {"", "", "", "", "x", " 12", "e5", "-3", "..5", ".", "%"};
    static const char* const afterInteger[] = {",", ",x", ",,3", ",5", ".7", ",.5"};
    const bool fractionDigits =
        text.back() >= '0' && text.back() <= '9' && text.find('.') != std::string::npos;
    Dual written = Ascii(text);
    if (!fractionDigits && OneIn(random, 4)) {
        written += Ascii(afterInteger[Below(random, std::size(afterInteger))]);
    } else {
        written += Ascii(after[Below(random, std::size(after))]);
    }
    if (OneIn(random, 6)) {
        written += kWideCharacters[Below(random, std::size(kWideCharacters))];
    }
    return written;
}

Dual NoNumber(std::mt19937& random) {
    static const char* const texts[] = {"",    "abc", "-",   "+",  ".5",  "-.5", "+.5",
                                        "- 5", "+-1", "--1", ",5", " x1", "e9",  "."};
    if (OneIn(random, 3)) {
        Dual text = Ascii(OneIn(random, 2) ? "-" : "");
        text += kWideCharacters[Below(random, std::size(kWideCharacters))];
        text += Ascii(Digits(random, 1 + Below(random, 3)));
        return text;
    }
    return Ascii(texts[Below(random, std::size(texts))]);
}

// A field or column stretch: mostly a value from the round's pool, so that equal values written
// differently meet, else a new value, no number, or letters.
Dual RandomCell(std::mt19937& random, const std::vector<Value>& pool) {
    switch (Below(random, 8)) {
        case 0:
            return NoNumber(random);
        case 1:
            return WriteValue(random, RandomValue(random));
        case 2: {
            Dual letters;
            for (int i = Below(random, 6); i > 0; --i) {
                letters += OneIn(random, 2)
                               ? Ascii(std::string(1, static_cast<char>('a' + Below(random, 26))))
                               : kWideCharacters[Below(random, std::size(kWideCharacters))];
            }
            return letters;
        }
        default:
            return WriteValue(random, pool[Below(random, pool.size())]);
    }
}

// The leading number of a key in parts (see Value), or none: blanks, a sign, at least one digit,
// with `commas` commas between digits skipped, then a fraction when a digit follows the dot.
struct Number {
    enum Class { None, Negative, Zero, Positive } type;
    std::string integer;
    std::string fraction;
};

Number ParseNumber(std::string_view text, bool commas) {
    auto digitAt = [&](std::size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    if (!digitAt(i)) {
        return {Number::None, {}, {}};
    }
    std::string integer;
    for (; digitAt(i) || (commas && i < text.size() && text[i] == ',' && digitAt(i + 1)); ++i) {
        if (text[i] != ',') {
            integer += text[i];
        }
    }
    std::string fraction;
    if (i < text.size() && text[i] == '.' && digitAt(i + 1)) {
        for (++i; digitAt(i); ++i) {
            fraction += text[i];
        }
    }
    integer.erase(0, integer.find_first_not_of('0'));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (integer.empty() && fraction.empty()) {
        return {Number::Zero, {}, {}};  // -0 too
    }
    return {negative ? Number::Negative : Number::Positive, integer, fraction};
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

int CompareNumbers(const Number& a, const Number& b) {
    if (a.type != b.type) {
        return a.type < b.type ? -1 : 1;
    }
    int magnitude = 0;
    if (a.integer.size() != b.integer.size()) {
        magnitude = a.integer.size() < b.integer.size() ? -1 : 1;
    } else if (a.integer != b.integer) {
        magnitude = Sign(a.integer.compare(b.integer));
    } else {
        magnitude = Sign(a.fraction.compare(b.fraction));  // no trailing zeros: a prefix is less
    }
    return a.type == Number::Negative ? -magnitude : magnitude;
}

enum class Order { Bytes, Number, CommaNumber };

struct Term {
    int position;
    int length;
    bool descending;
    Order order;
};

std::string Command(SorterKind kind, const Term& term) {
    const std::string length = "," + std::to_string(term.length) + ")";
    const std::string key = "key(" + std::to_string(term.position);
    if (term.order == Order::Bytes) {
        return key + length + (term.descending ? "attr(d)" : "");
    }
    // A CSV number key is the whole field.
    return key + (kind == SorterKind::Csv ? ")" : length) + "attr(" +
           (term.descending ? "d" : "a") + (term.order == Order::Number ? ";i)" : ";z)");
}

// Below zero when record `a` (code page 932) sorts before `b` on `term`.
int CompareOn(SorterKind kind, const Term& term, const std::string& a, const std::string& b) {
    const bool wholeField = kind == SorterKind::Csv && term.order != Order::Bytes;
    const ModelKey cut{term.position, wholeField ? std::numeric_limits<int>::max() : term.length,
                       false};
    const std::string keyA = KeyOf(kind, a, cut);
    const std::string keyB = KeyOf(kind, b, cut);
    const bool commas = term.order == Order::CommaNumber;
    const int result = term.order == Order::Bytes
                           ? Sign(keyA.compare(keyB))
                           : CompareNumbers(ParseNumber(keyA, commas), ParseNumber(keyB, commas));
    return term.descending ? -result : result;
}

class SortProperty : public SorterTest {
  protected:
    // Rounds of random records and random string and number keys, as bytes or, with `utf16`, as
    // UTF-16 under /W; each record ends with the line end of the first.
    void CheckRandomRounds(std::uint32_t seed, int rounds, bool utf16);
};

void SortProperty::CheckRandomRounds(std::uint32_t seed, int rounds, bool utf16) {
    std::mt19937 random(seed);
    for (int round = 0; round < rounds; ++round) {
        const SorterKind kind = round % 2 == 0 ? SorterKind::Csv : SorterKind::Text;
        std::vector<Value> pool(1 + Below(random, 5));
        for (std::size_t v = 0; v < pool.size(); ++v) {
            pool[v] = v > 0 && OneIn(random, 2) ? Neighbour(random, pool[Below(random, v)])
                                                : RandomValue(random);
        }
        // CSV records have up to `fields` fields; text records are stretches of these widths.
        const int fields = 1 + Below(random, 4);
        std::vector<int> widths(1 + Below(random, 3));
        std::vector<int> starts;
        int total = 0;
        for (int& width : widths) {
            width = OneIn(random, 3) ? 1 + Below(random, 8) : 8 + Below(random, 43);
            starts.push_back(total + 1);
            total += width;
        }

        std::vector<Dual> records(1 + Below(random, 40));
        std::vector<Dual> lineEnds;
        for (std::size_t r = 0; r < records.size(); ++r) {
            Dual& record = records[r];
            if (kind == SorterKind::Csv) {
                for (int f = Below(random, fields); f >= 0; --f) {
                    Dual cell = RandomCell(random, pool);
                    if (cell.narrow.find(',') != std::string::npos || OneIn(random, 6)) {
                        Dual quoted = Ascii(OneIn(random, 4) ? " \"" : "\"");
                        quoted += cell;
                        quoted += Ascii("\"");
                        cell = quoted;
                    }
                    record += cell;
                    record += Ascii(f > 0 ? "," : "");
                }
            } else {
                for (std::size_t s = 0; s < widths.size(); ++s) {
                    const Dual cell = RandomCell(random, pool);
                    const bool ragged = s + 1 == widths.size() && OneIn(random, 2);
                    record += ragged ? cell : Fit(cell, static_cast<std::size_t>(widths[s]));
                }
            }
            const bool last = r + 1 == records.size();
            lineEnds.push_back(
                Ascii(!last || OneIn(random, 2) ? (OneIn(random, 2) ? "\r\n" : "\n") : ""));
        }

        std::vector<Term> terms(OneIn(random, 8) ? 0 : 1 + Below(random, 3));
        std::vector<std::string> tail;
        for (Term& term : terms) {
            const int order = Below(random, 10);
            term.order = order < 3 ? Order::Bytes : order < 7 ? Order::Number : Order::CommaNumber;
            term.descending = OneIn(random, 2);
            if (kind == SorterKind::Csv) {
                term.position = 1 + Below(random, fields + 1);
                term.length = 1 + Below(random, 8);
            } else if (OneIn(random, 4)) {
                term.position = 1 + Below(random, total + 2);
                term.length = 1 + Below(random, 50);
            } else {
                const int slot = Below(random, widths.size());
                term.position = starts[slot];
                term.length = widths[slot];
            }
            tail.push_back(Command(kind, term));
        }
        if (utf16) {
            tail.push_back("/W");
        }

        const std::string mark =
            utf16 ? (OneIn(random, 3) ? "" : "\xFF\xFE") : (OneIn(random, 6) ? "\xEF\xBB\xBF" : "");
        auto form = [&](const Dual& text) { return utf16 ? Utf16Le(text.wide) : text.narrow; };
        std::string input = mark;
        for (std::size_t r = 0; r < records.size(); ++r) {
            input += form(records[r]) + form(lineEnds[r]);
        }
        // An empty last line without a line end is no record.
        if (records.size() > 1 && records.back().wide.empty() && lineEnds.back().wide.empty()) {
            records.pop_back();
        }

        std::vector<Dual> sorted = records;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const Dual& a, const Dual& b) {
            if (terms.empty()) {
                return a.narrow < b.narrow;
            }
            for (const Term& term : terms) {
                if (const int result = CompareOn(kind, term, a.narrow, b.narrow); result != 0) {
                    return result < 0;
                }
            }
            return false;
        });
        std::string expected = mark;
        for (const Dual& record : sorted) {
            expected += form(record) + form(lineEnds[0]);
        }

        std::ostringstream command;
        for (const std::string& arg : tail) {
            command << ' ' << arg;
        }
        ASSERT_EQ(Sort(kind, input, tail), expected)
            << "round " << round << (kind == SorterKind::Csv ? " csv:" : " text:") << command.str();
    }
}

TEST_F(SortProperty, OutputIsAStableSortOfTheInputRecords) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 150; ++round) {
        const SorterKind kind = round % 2 == 0 ? SorterKind::Csv : SorterKind::Text;
        std::vector<std::string> records(1 + random() % 40);
        std::vector<std::string> lineEnds;
        std::string input;
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i] = RandomRecord(random, kind);
            const bool last = i + 1 == records.size();
            lineEnds.push_back(!last || random() % 2 == 0 ? (random() % 2 == 0 ? "\r\n" : "\n")
                                                          : "");
            input += records[i] + lineEnds[i];
        }
        // An empty last line without a line end is no record.
        if (records.size() > 1 && records.back().empty() && lineEnds.back().empty()) {
            records.pop_back();
        }
        const std::string lineEnd = lineEnds[0];

        std::vector<ModelKey> keys(random() % 3);
        std::vector<std::string> tail;
        for (ModelKey& key : keys) {
            key = {static_cast<int>(1 + random() % 6), static_cast<int>(1 + random() % 5),
                   random() % 2 == 0};
            tail.push_back("key(" + std::to_string(key.position) + "," +
                           std::to_string(key.length) + ")" + (key.descending ? "attr(d)" : ""));
        }

        std::vector<std::string> expected = records;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const std::string& a, const std::string& b) {
                             if (keys.empty()) {
                                 return a < b;
                             }
                             for (const ModelKey& key : keys) {
                                 const std::string ka = KeyOf(kind, a, key);
                                 const std::string kb = KeyOf(kind, b, key);
                                 if (ka != kb) {
                                     return key.descending ? kb < ka : ka < kb;
                                 }
                             }
                             return false;
                         });
        std::string expectedOutput;
        for (const std::string& record : expected) {
            expectedOutput += record + lineEnd;
        }
        ASSERT_EQ(Sort(kind, input, tail), expectedOutput)
            << "round " << round << (kind == SorterKind::Csv ? " csv" : " text");
    }
}

TEST_F(SortProperty, NumberKeysCompareExactValuesAmongStringKeys) {
    CheckRandomRounds(20270301, 400, false);
}

TEST_F(SortProperty, Utf16RecordsStayUtf16AndSortOnTheirCodePage932Form) {
    CheckRandomRounds(20270302, 300, true);
}

}  // namespace
}  // namespace orvanta::sorters
