// velmor3: evaluation of triaxial compression tests.
//
//   velmor3                          interactive run: banner, two prompts
//   velmor3 DATAFILE REPORTFILE      the same run without dialogue
//   velmor3 --help | --version
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "control/session.hpp"

int main(int argc, char** argv) {
  if (argc == 1) return velmor::control::run_dialogue(stdin, stdout, stderr);

  CLI::App app{
      "velmor3 evaluates triaxial compression tests: it reads the laboratory's data file,\n"
      "reduces every test and writes a fixed-column report with the strength envelopes.\n"
      "Without arguments it asks for the two file names at the console.",
      "velmor3"};
  app.set_version_flag("--version", std::string("velmor3 ") + VELMOR3_VERSION);
  std::string data_name, report_name;
  bool overwrite = false;
  app.add_option("DATAFILE", data_name, "data file to read")->required();
  app.add_option("REPORTFILE", report_name, "report file to create (must not exist)")->required();
  app.add_flag("--overwrite", overwrite, "replace the report file when it exists");

  try {
    app.parse(argc, argv);
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
  return velmor::control::run_batch(data_name, report_name, overwrite, stderr);
}
