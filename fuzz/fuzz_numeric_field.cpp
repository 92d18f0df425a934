// Any bytes as one numeric input field: a value or a refusal, never a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/layout.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  float v = 0.0f;
  const std::string_view field(reinterpret_cast<const char*>(data), size);
  if (velmor::control::parse_numeric_field(field, v) && !std::isfinite(v)) __builtin_trap();
  return 0;
}
