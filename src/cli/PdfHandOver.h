#pragma once

#include "cli/Commands.h"

#include <string>
#include <vector>

namespace ql::cli {

// The PdfRenderer of the plain quillory-cli: takeOver replaces this process by the PDF
// renderer program (quillory-cli-pdf) with the same arguments, so the Qt libraries load only
// for the commands that print.
class PdfHandOver final : public PdfRenderer {
public:
    // argv lives as long as the process (main's).
    PdfHandOver(int argc, const char* const* argv) : m_argc(argc), m_argv(argv) {}

    // Returns only when no renderer program could be started, with the reason; the write
    // calls, which a command makes only after takeOver succeeded, are never reached.
    Status takeOver() override;

    // Where the renderer program may be, first choice first: beside this program (the build
    // tree), then in the installed libexec folder relative to it.
    static std::vector<std::string> candidates(const std::string& selfPath);

private:
    int m_argc;
    const char* const* m_argv;
};

}  // namespace ql::cli
