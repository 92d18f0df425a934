// velmor3: evaluation of triaxial compression tests.
//
//   velmor3                          interactive run: banner, two prompts
//   velmor3 DATAFILE REPORTFILE      the same run without dialogue
//   velmor3 check DATAFILE...        list the problems of data files
//   --json FILE, --csv DIR, --plots DIR, --html FILE
//                                    results for other tools, with either run
//   velmor3 --help | --version
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>
#include <vector>

#include "control/session.hpp"

int main(int argc, char** argv) {
  if (argc == 1) return velmor::control::run_dialogue(stdin, stdout, stderr);

  CLI::App app{
      "velmor3 evaluates triaxial compression tests: it reads the laboratory's data file,\n"
      "reduces every test and writes a fixed-column report with the strength envelopes.\n"
      "Without arguments it asks for the two file names at the console.",
      "velmor3"};
  app.set_version_flag("--version", std::string("velmor3 ") + VELMOR3_VERSION);
  std::vector<std::string> names;
  bool overwrite = false;
  app.add_option("DATAFILE REPORTFILE", names,
                 "data file to read and report file to create (must not exist)")
      ->expected(2);
  app.add_flag("--overwrite", overwrite, "replace the report file when it exists");
  velmor::control::Outputs outputs;
  app.add_option("--json", outputs.json_file, "also write the results as one JSON document");
  app.add_option("--csv", outputs.csv_dir, "also write the results as CSV tables into this folder");
  app.add_option("--plots", outputs.plots_dir, "also draw the results as SVG pictures into this folder");
  app.add_option("--html", outputs.html_file, "also write a self-contained HTML page of the results");

  CLI::App* check = app.add_subcommand(
      "check", "read data files the way a run does and list every problem; write no report");
  std::vector<std::string> check_names;
  check->add_option("DATAFILE", check_names, "data files to check")->required();
  app.require_subcommand(0, 1);

  try {
    app.parse(argc, argv);
    if (!check->parsed() && names.size() != 2 && !names.empty()) {
      throw CLI::ArgumentMismatch("DATAFILE REPORTFILE: both names are required");
    }
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  } catch (const CLI::CallForVersion&) {
    std::printf("velmor3 %s\n", VELMOR3_VERSION);
    return 0;
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "velmor3: %s\nRun 'velmor3 --help' for usage.\n", e.what());
    return 2;
  }
  if (check->parsed()) return velmor::control::run_check(check_names, stdout, stderr);
  // Options without file names: the interactive run with those outputs.
  if (names.empty()) return velmor::control::run_dialogue(stdin, stdout, stderr, outputs);
  return velmor::control::run_batch(names[0], names[1], overwrite, outputs, stderr);
}
