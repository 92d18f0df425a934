// A run as the operator starts it: the console dialogue (banner, warning, two
// prompts, two file names) or the names given on the command line, the
// connection of the data file (unit 5, must exist) and the report file
// (unit 6, created new, never overwritten), and the run itself.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace velmor::control {

// Results for other tools, besides the report: a JSON document, a folder of
// CSV tables, a folder of SVG pictures and an HTML page (empty: not written).
struct Outputs {
  std::string json_file;
  std::string csv_dir;
  std::string plots_dir;
  std::string html_file;
  bool any() const {
    return !json_file.empty() || !csv_dir.empty() || !plots_dir.empty() || !html_file.empty();
  }
};

// The interactive run: dialogue on `out`, names read from `in`, run-ending
// messages on `err`. Returns the exit status (0 normal end, 1 error).
int run_dialogue(std::FILE* in, std::FILE* out, std::FILE* err, const Outputs& outputs = {});

// The same run with the names given: no banner, no prompts. With `overwrite`
// an existing report file is replaced.
int run_batch(const std::string& data_name, const std::string& report_name, bool overwrite,
              const Outputs& outputs, std::FILE* err);

// Checks data files without writing a report: every problem of every file
// on `out`, then a summary line per file. Returns 0 when all are clean, 1 when
// any has errors (or cannot be read), 3 when there are warnings only.
int run_check(const std::vector<std::string>& names, std::FILE* out, std::FILE* err);

// The 12-character name field of the dialogue: the first 12 characters of the
// typed line, blank-padded; the file name is that field without leading and
// trailing blanks.
//   name_field("  demo.dat") -> "  demo.dat  "   file_name("  demo.dat  ") -> "demo.dat"
std::string name_field(const std::string& typed);
std::string file_name(const std::string& field);

}  // namespace velmor::control
