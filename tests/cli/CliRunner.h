#pragma once

#include "core/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace ql::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs program with args in a pinned environment (New York time, the "C" locale unless
// extraEnv says otherwise) and collects its exit code and output.
inline CliRun runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnv = {}) {
    TempDir io;
    const std::string outPath = io.path("out"), errPath = io.path("err");
    std::vector<std::string> argStore{program};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<std::string> envStore{"TZ=America/New_York", "LC_ALL=C", "PATH=/usr/bin:/bin"};
    for (const auto& e : extraEnv) {
        const std::string key = e.substr(0, e.find('=') + 1);
        std::erase_if(envStore, [&](const std::string& s) { return s.starts_with(key); });
        envStore.push_back(e);
    }
    std::vector<char*> argv, envp;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) throw std::runtime_error("waitpid failed");
    CliRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const auto outBytes = readBytes(outPath), errBytes = readBytes(errPath);
    run.out.assign(outBytes.begin(), outBytes.end());
    run.err.assign(errBytes.begin(), errBytes.end());
    return run;
}

// Runs the built quillory-cli.
inline CliRun runCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv = {}) {
    return runProgram(QUILLORY_CLI_PATH, args, extraEnv);
}

// Every file of a folder with its bytes, to prove that a refused command wrote nothing.
inline std::map<std::string, std::vector<unsigned char>> folderSnapshot(const std::string& folder) {
    std::map<std::string, std::vector<unsigned char>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = readBytes(entry.path().string());
    return files;
}

}  // namespace ql::test
