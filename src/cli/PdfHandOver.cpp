#include "cli/PdfHandOver.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <unistd.h>

namespace ql::cli {
namespace {

constexpr const char* kRendererName = "quillory-cli-pdf";

std::string selfPath() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

std::vector<std::string> PdfHandOver::candidates(const std::string& self) {
    const std::string folder = self.substr(0, self.rfind('/') + 1);
    return {folder + kRendererName, folder + QUILLORY_LIBEXEC_FROM_BIN + "/" + kRendererName};
}

Status PdfHandOver::takeOver() {
    std::vector<const char*> args(m_argv, m_argv + m_argc);
    args.push_back(nullptr);
    std::cout.flush();
    std::cerr.flush();
    const std::string self = selfPath();
    if (self.empty()) return Status::ioError("cannot find the PDF renderer " + std::string(kRendererName));
    int lastError = ENOENT;
    for (const std::string& candidate : candidates(self)) {
        args[0] = candidate.c_str();
        ::execv(candidate.c_str(), const_cast<char* const*>(args.data()));
        if (errno != ENOENT) lastError = errno;
    }
    return Status::ioError("cannot start the PDF renderer " + candidates(self).back())
        .withReason(std::strerror(lastError));
}

}  // namespace ql::cli
