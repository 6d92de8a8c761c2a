#include "ui/app/ProgramOptions.h"

EarlyAnswer earlyAnswer(std::string_view arguments, const std::function<bool(const std::string&)>& fileExists) {
    EarlyAnswer answer = EarlyAnswer::None;
    if (arguments == "--help") answer = EarlyAnswer::Help;
    else if (arguments == "--version") answer = EarlyAnswer::Version;
    if (answer != EarlyAnswer::None && fileExists(std::string(arguments))) return EarlyAnswer::None;
    return answer;
}

std::string helpText() {
    return "Usage: quillory [FILE]\n"
           "Tracks the time spent on projects and bills it to customers.\n"
           "\n"
           "Opens the file set whose settings file (.qlr) is FILE, the whole text after the\n"
           "program name; without it, or when no such file exists, the file set open last.\n"
           "\n"
           "  --help     show this help and exit\n"
           "  --version  show the version and exit\n"
           "\n"
           "For scripts, quillory-cli reads and writes the same file sets without a window.\n";
}

std::string versionText() { return "quillory " QUILLORY_VERSION "\n"; }
