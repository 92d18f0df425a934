// Run-ending errors. A run that meets one stops with one message on the error
// stream and exit status 1; everything already written to the report stays.
//
// The message is "velmor3: error (<code>): <text>", for example
//   velmor3: error (20): end-of-file during read, unit 5, file demo.dat
// and, when the error comes from a line of the data file, a second line
//   "  line 14, columns 9-16: \"1.2x\""
#pragma once

#include <stdexcept>
#include <string>

namespace velmor {

enum class ErrorCode : int {
  file_not_found = 10,
  cannot_overwrite = 11,
  permission_denied = 12,
  open_failed = 13,
  no_file_name = 14,
  end_of_file = 20,
  conversion = 21,
  free_format = 22,
  write_failed = 30,
};

class RunError : public std::runtime_error {
 public:
  RunError(ErrorCode code, std::string text, std::string detail = {})
      : std::runtime_error(text), code_(code), detail_(std::move(detail)) {}
  ErrorCode code() const { return code_; }
  // Second line of the message (location in the data file), or empty.
  const std::string& detail() const { return detail_; }
  // The complete message, one or two lines, each ending in a line feed.
  std::string message() const {
    std::string m = "velmor3: error (" + std::to_string(static_cast<int>(code_)) + "): " + what() + "\n";
    if (!detail_.empty()) m += detail_ + "\n";
    return m;
  }

 private:
  ErrorCode code_;
  std::string detail_;
};

}  // namespace velmor
