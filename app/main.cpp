// velmor3: evaluation of triaxial compression tests.
//
//   velmor3                      interactive run: banner, two prompts
#include <cstdio>
#include <cstring>

#include "control/session.hpp"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("velmor3 %s\n", VELMOR3_VERSION);
    return 0;
  }
  return velmor::control::run_dialogue(stdin, stdout, stderr);
}
