#pragma once

namespace ql::bench {

// The one QApplication of the benchmark program, on the offscreen platform, made by whichever
// benchmark needs it first: widgets need a QApplication, so no benchmark may make a lesser one.
void ensureBenchApplication();

}  // namespace ql::bench
