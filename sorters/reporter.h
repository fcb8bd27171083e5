#pragma once
// Where a sorter's messages go: standard error for the programs, a store for the tests.

#include <string_view>

namespace orvanta::sorters {

class Reporter {
  public:
    virtual ~Reporter() = default;
    // A complete message line (UTF-8, without its line end).
    virtual void Message(std::string_view text) = 0;
    // A progress line that replaces the previous one on the console.
    virtual void Progress(std::string_view text) = 0;
};

// Writes to standard error.
class ConsoleReporter : public Reporter {
  public:
    void Message(std::string_view text) override;
    void Progress(std::string_view text) override;
    ~ConsoleReporter() override;

  private:
    bool progressShown_ = false;
};

}  // namespace orvanta::sorters
