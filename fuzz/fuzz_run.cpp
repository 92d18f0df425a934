// Any bytes as a data file, run from memory to memory: a report, or a clear
// run-ending error with what was written before it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "control/driver.hpp"
#include "control/errors.hpp"
#include "control/sinks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmor::control::LineSource src(std::string(reinterpret_cast<const char*>(data), size), 5, "fuzz.dat");
  velmor::control::StringSink out;
  auto run = std::make_unique<velmor::control::Run>();
  run->S.INFILE = "fuzz.dat    ";
  run->S.OUTFIL = "fuzz.out    ";
  try {
    velmor::control::run_data(src, out, *run);
  } catch (const velmor::RunError&) {
  }
  return 0;
}
