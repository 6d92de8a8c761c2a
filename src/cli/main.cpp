#include "cli/CliApp.h"
#include "cli/PdfHandOver.h"

#include <iostream>

int main(int argc, char** argv) {
    // Output is never mixed with C stdio, and unsynchronised streams are much faster.
    std::ios::sync_with_stdio(false);
    const ql::SystemClock clock;
    ql::cli::PdfHandOver pdf(argc, argv);
    return ql::cli::runCli(argc, argv, std::cout, std::cerr, ql::defaultFileSystem(), clock, &pdf);
}
