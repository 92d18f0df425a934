// Checking a data file without running it: every record is read the way a
// run reads it, and every problem found is listed instead of ending at the
// first one. Warnings name what is legal but almost always a mistake.
#pragma once

#include <string>
#include <vector>

namespace velmor::datafile {

struct CheckResult {
  std::vector<std::string> messages;  // one line each, in file order
  int errors = 0, warnings = 0;
  int data_sets = 0, tests = 0;
  long readings_short = 0, readings_full = 0, readings_special = 0;
  std::string summary;  // "<name>: 2 data sets, 6 tests; readings: ..."
  // 0 clean, 1 errors, 3 warnings only.
  int status() const { return errors > 0 ? 1 : warnings > 0 ? 3 : 0; }
};

// `name` is used in the messages; `content` is the whole data file.
CheckResult check_data(const std::string& name, std::string content);

}  // namespace velmor::datafile
