// Writes a generated data file: make_data TESTS READINGS > file.dat
#include <cstdio>
#include <cstdlib>

#include "bench/data.hpp"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_data TESTS READINGS\n");
    return 2;
  }
  const std::string d = velmor::bench::full_form_data(std::atoi(argv[1]), std::atoi(argv[2]));
  std::fwrite(d.data(), 1, d.size(), stdout);
  return 0;
}
