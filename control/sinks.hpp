// Where records go: the report file (CR LF after every record), a string (the
// same bytes, for in-memory runs) and the console (the first character of a
// record is carriage control and is not shown).
#pragma once

#include <cstdio>
#include <string>

#include "control/layout.hpp"

namespace velmor::control {

class FileSink : public RecordSink {
 public:
  FileSink(std::FILE* f, int unit, std::string name) : f_(f), unit_(unit), name_(std::move(name)) {}
  void record(std::string_view rec) override;
  void flush();

 private:
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

class ConsoleSink : public RecordSink {
 public:
  explicit ConsoleSink(std::FILE* f) : f_(f) {}
  void record(std::string_view rec) override;

 private:
  std::FILE* f_;
};

}  // namespace velmor::control
