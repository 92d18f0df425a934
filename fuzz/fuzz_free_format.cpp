// Any bytes as free-format readings: values, or a clear run-ending error.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "control/errors.hpp"
#include "control/layout.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmor::control::LineSource src(std::string(reinterpret_cast<const char*>(data), size), 5, "fuzz");
  velmor::Real a, b;
  std::array<velmor::Real*, 2> items{&a, &b};
  try {
    for (int i = 0; i < 64; ++i) velmor::control::read_free(src, items);
  } catch (const velmor::RunError&) {
  }
  return 0;
}
