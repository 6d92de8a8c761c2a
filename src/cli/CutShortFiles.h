#pragma once

namespace ql::cli {

// The line exitOnCutShortFile writes to stderr, newline included.
inline constexpr char kCutShortMessage[] = "quillory-cli: a file of the set was cut short while it was read\n";

// Makes a file mapped for reading (mappingFileSystem()) that another program cuts short in
// place end this process with kCutShortMessage and exit status 1 rather than a crash. The
// process ends at once, so no output file is renamed into place and buffered output is
// dropped; only what was already written to a stream stays. Call it before any file is mapped.
void exitOnCutShortFile();

}  // namespace ql::cli
