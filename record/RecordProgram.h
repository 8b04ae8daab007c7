// The recorder program as a whole, after its command line: --help, --version, --list, or
// recording into the folder.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zintor {

// args: the arguments after the program's name. The exit status: 0, 1 when recording could
// not start or ended with rows unwritten, 2 for a bad command line.
int RunRecordProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& errors);

}  // namespace zintor
