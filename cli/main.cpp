#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/lrt_command.h"
#include "cli/terminal.h"
#include "platform/clock.h"
#include "platform/current_directory.h"

int main(int argc, char* argv[]) {
  // Numbers are read and written the same in every locale; make sure nothing else differs.
  std::setlocale(LC_ALL, "C");
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  quillet::SystemClock clock;
  quillet::cli::LrtEnvironment env{std::cout, std::cerr, clock, quillet::CurrentDirectory,
                                   quillet::cli::StderrIsTerminal()};
  const int status = quillet::cli::LrtMain(args, env);
  std::cout.flush();
  return status;
}
