// RunProgram: runs a program as a user would (arguments, standard input) and collects what it printed.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct ProgramResult {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs `argv[0]` with the arguments, feeding `input` on standard input; `env` entries are added to the
// environment (an empty value removes the variable).
ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& input = {},
                         const std::map<std::string, std::string>& env = {});

}  // namespace testing_support
