// RunProgram: runs a program as a user would (arguments, standard input) and collects what it printed.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct ProgramResult {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  int signal = 0;   // the signal that ended it, if one did
  std::string out;
  std::string err;
};

struct RunOptions {
  std::string input;                       // fed on standard input
  std::map<std::string, std::string> env;  // added to the environment; an empty value removes the variable
  std::string stdinFile;                   // when set, standard input reads this file instead of `input`
  std::string stdoutFile;                  // when set, standard output goes to this file (not to `out`)
  size_t addressSpace = 0;                 // when set, the program's address-space limit (RLIMIT_AS) in bytes
  uid_t user = 0;                          // when set (the caller being root), the user the program runs as
};

ProgramResult RunProgram(const std::vector<std::string>& argv, const RunOptions& options);

// Runs `argv[0]` with the arguments, feeding `input` on standard input; `env` entries are added to the
// environment (an empty value removes the variable).
inline ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& input = {},
                                const std::map<std::string, std::string>& env = {}) {
  RunOptions options;
  options.input = input;
  options.env = env;
  return RunProgram(argv, options);
}

}  // namespace testing_support
