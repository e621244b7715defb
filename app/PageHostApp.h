// The pagehost command line: parses the command and runs it.
#pragma once

namespace pagehost {

// Runs one command line; answers the process exit status.
int Run(int argc, char** argv);

}  // namespace pagehost
