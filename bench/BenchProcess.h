#pragma once

#include <string>
#include <vector>

namespace ql::bench {

// Runs a program (looked up on PATH) with args, its standard output thrown away; false when
// it cannot start or does not exit with 0.
bool runQuietly(std::vector<std::string> args);

}  // namespace ql::bench
