#include "cli/CliApp.h"
#include "cli/CutShortFiles.h"
#include "cli/PdfHandOver.h"

#include <iostream>

int main(int argc, char** argv) {
    // Output is never mixed with C stdio, and unsynchronised streams are much faster.
    std::ios::sync_with_stdio(false);
    // Large files are mapped rather than copied into a read buffer; a file cut short under its
    // mapping must end the run with a message, not a crash, so this comes before any read.
    ql::cli::exitOnCutShortFile();
    const ql::SystemClock clock;
    ql::cli::PdfHandOver pdf(argc, argv);
    return ql::cli::runCli(argc, argv, std::cout, std::cerr, ql::mappingFileSystem(), clock, &pdf);
}
