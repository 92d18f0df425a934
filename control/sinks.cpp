#include "control/sinks.hpp"

#include "control/errors.hpp"

namespace velmor::control {

void FileSink::failed() const {
  throw RunError(ErrorCode::write_failed,
                 "error writing file, unit " + std::to_string(unit_) + ", file " + name_);
}

void FileSink::record(std::string_view rec) {
  if (std::fwrite(rec.data(), 1, rec.size(), f_) != rec.size()) failed();
  if (std::fwrite("\r\n", 1, 2, f_) != 2) failed();
}

void FileSink::flush() {
  if (std::fflush(f_) != 0) failed();
}

void ConsoleSink::record(std::string_view rec) {
  if (!rec.empty()) rec.remove_prefix(1);
  std::fwrite(rec.data(), 1, rec.size(), f_);
  std::fputc('\n', f_);
}

}  // namespace velmor::control
