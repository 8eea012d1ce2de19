// The command line, read before anything else: --help and --version answer on the terminal and
// end the program, so they need no display and never meet the single-instance lock.
#pragma once

#include <optional>

namespace vr {

// The exit status when the program ends here (0 after --help or --version, 2 after an option or
// argument it does not know, told in one line on standard error); nothing when the game starts.
// Qt's own options (-platform, -style, ...) are left for the application to read.
std::optional<int> answer_command_line(int argc, char** argv);

}  // namespace vr
