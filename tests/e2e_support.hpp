// Runs the velmor3 program in a scratch folder, as an operator would.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace velmor::e2e {

inline std::string source_path(const std::string& rel) {
  return std::string(VELMOR3_SOURCE_DIR) + "/" + rel;
}

inline std::string slurp(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

inline void spit(const std::filesystem::path& p, const std::string& text) {
  std::ofstream f(p, std::ios::binary);
  f << text;
}

struct Outcome {
  int status = -1;
  std::string out, err;
};

// A scratch folder of its own for one test.
class Scratch {
 public:
  explicit Scratch(const std::string& name) {
    dir_ = std::filesystem::temp_directory_path() /
           ("velmor3-e2e-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~Scratch() { std::filesystem::remove_all(dir_); }
  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path operator/(const std::string& f) const { return dir_ / f; }

  // Runs the program in the folder with `input` on its standard input and the
  // given arguments.
  Outcome run(const std::string& input, const std::string& args = "") const {
    spit(dir_ / "stdin.txt", input);
    const std::string cmd = "cd '" + dir_.string() + "' && '" + VELMOR3_BINARY + "' " + args +
                            " < stdin.txt > stdout.txt 2> stderr.txt";
    const int rc = std::system(cmd.c_str());
    Outcome o;
    o.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    o.out = slurp(dir_ / "stdout.txt");
    o.err = slurp(dir_ / "stderr.txt");
    std::filesystem::remove(dir_ / "stdin.txt");
    std::filesystem::remove(dir_ / "stdout.txt");
    std::filesystem::remove(dir_ / "stderr.txt");
    return o;
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace velmor::e2e
