// Where written records go. A record arrives without a line end.
//   FileSink     the report file: the record and CR LF
//   StringSink   the same bytes appended to a string (tests, in-memory runs)
//   ConsoleSink  the console: the first character of a record is carriage
//                control and is not shown; the rest and a line feed
#pragma once

#include <cstdio>
#include <string>

#include "control/layout.hpp"

namespace velmor::control {

class FileSink : public RecordSink {
 public:
  // `unit` and `name` appear in the message when writing fails.
  FileSink(std::FILE* f, int unit, std::string name) : f_(f), unit_(unit), name_(std::move(name)) {}
  // Throws RunError (write_failed) when the file does not take the bytes.
  void record(std::string_view rec) override;
  void flush();

 private:
  [[noreturn]] void failed() const;
  std::FILE* f_;
  int unit_;
  std::string name_;
};

class StringSink : public RecordSink {
 public:
  void record(std::string_view rec) override {
    text.append(rec);
    text.append("\r\n");
  }
  std::string text;
};

// Errors writing to the console are not checked: the console only carries
// the dialogue, and the run's results are in the report.
class ConsoleSink : public RecordSink {
 public:
  explicit ConsoleSink(std::FILE* f) : f_(f) {}
  void record(std::string_view rec) override;

 private:
  std::FILE* f_;
};

}  // namespace velmor::control
