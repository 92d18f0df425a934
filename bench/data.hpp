// Generated full-form data files of any size, with physically sensible
// readings, for measuring the whole run.
#pragma once

#include <cstdio>
#include <string>

namespace velmor::bench {

// `tests` tests of `readings` readings each; report form 0 (full tables) and
// the regression fits.
inline std::string full_form_data(int tests, int readings) {
  std::string out;
  char line[128];
  auto add = [&](const char* l) { out += l; out += '\n'; };
  add("      7.      0.    0.15    1.27    0.35     30.      3.      0.      1.");
  add("      1.   0.037  0.0703      0.      0.     0.2      0.      0.  0.0008");
  for (int t = 0; t < tests; ++t) {
    const int cell = 20 + 10 * (t % 8);
    add("GENERATED FULL-FORM TEST FOR TIMING");
    std::snprintf(line, sizeof line, "CELL PRESSURE %d PSI", cell);
    add(line);
    std::snprintf(line, sizeof line, "TEST %d", t + 1);
    add(line);
    add("   9999.    0.24    0.22   160.5   158.2     3.8      0.      0.      0.");
    add("      0.     7.6     2.7     80.      0.      1.    0.06     45.    12.5");
    std::snprintf(line, sizeof line, "%7d.   0.037  0.0703      2.  0.0008    0.35     12.      6.    160.", cell);
    add(line);
    add("      0.      0.      0.     10.");
    add("     0.2      0.    0.19      0.      0.      1.     1.2");
    std::snprintf(line, sizeof line, "%7d.      1.      5.      1.     25.      1.     28.      0.      0.", t + 1);
    add(line);
    std::snprintf(line, sizeof line, "      0.   0.002      1.      2.    0.25      1.%7d.      3.", readings);
    add(line);
    for (int i = 0; i < readings; ++i) {
      const double x = static_cast<double>(i) / readings;  // 0 .. 1 through the test
      const double ring = 300.0 * x * (2.0 - x) * (1.0 + 0.1 * (t % 5));
      std::snprintf(line, sizeof line, "%3d.  2.%3d.%3d.%4.1f  0.  1.%4.1f      1.%8.1f%8.1f      0.",
                    cell, 8 + i / 60, i % 60, 15.0 + 0.001 * i, 40.0 - 5.0 * x, 400.0 * x, ring);
      add(line);
    }
  }
  return out;
}

}  // namespace velmor::bench
