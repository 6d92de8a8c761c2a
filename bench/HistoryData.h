#pragma once

#include <string>

namespace ql::bench {

// 2,000 projects and 1,000,000 time frames over the 20 years up to benchNow(), appended in
// time order as check-outs write them (about 50,000 a year). Generated once per process;
// returns the settings-file path.
std::string historyFileSet();

}  // namespace ql::bench
