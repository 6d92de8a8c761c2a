#pragma once

#include "cli/Commands.h"
#include "core/store/FileSystem.h"
#include "core/time/Clock.h"

#include <ostream>

namespace ql::cli {

enum class ExitStatus { Success = 0, Failure = 1, Misuse = 2 };

// Runs quillory-cli on argv: parses the command line, runs the command, and prints a failure
// as one line on err. Returns the exit status: Success, Failure when an operation failed,
// Misuse for a bad command line (unknown command or option, missing or malformed value,
// unknown id, a path that is no file set); nothing is written in the last case. The PDF
// commands render through pdf; without one they fail.
int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err, FileSystem& fs, const Clock& clock,
           PdfRenderer* pdf = nullptr);

}  // namespace ql::cli
