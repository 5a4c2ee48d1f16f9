#pragma once
// The one error type of the program: it carries the user-facing (Japanese) message, which the
// application's error box shows. Portable: no platform headers.
#include <stdexcept>
#include <string>

namespace pelorine {

class Error : public std::runtime_error {
  public:
    explicit Error(std::wstring message)
        : std::runtime_error("pelorine::Error"), message_(std::move(message)) {}
    const std::wstring& Message() const noexcept { return message_; }

  private:
    std::wstring message_;
};

// Replaces the first "%s" of a message pattern, as the program's messages are written.
std::wstring FormatMessageText(const std::wstring& pattern, const std::wstring& arg);

// The text of the standard error box: a "." is appended when the last character sorts
// after "." (so a Japanese sentence gets a final full stop, "...?" or "..." does not).
std::wstring ErrorBoxText(const std::wstring& message);

} // namespace pelorine
