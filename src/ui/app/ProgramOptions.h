#pragma once

#include "ui/app/ShellOnly.h"

#include <functional>
#include <string>
#include <string_view>

// What the program answers before it opens a window, so "quillory --help" works without a
// display. A file of that very name is still opened as the command line says.
enum class EarlyAnswer { None, Help, Version };

// arguments: the command-line text after the program name (CTessalyApp::commandLineText).
EarlyAnswer earlyAnswer(std::string_view arguments, const std::function<bool(const std::string&)>& fileExists);

// The texts printed for --help and --version, each ending in a line break.
std::string helpText();
std::string versionText();
