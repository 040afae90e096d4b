#include "program_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace ballast::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ballast-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path, ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

ProgramRun runProgram(const ProgramSetup& setup, const std::string& folder) {
    const std::string inputPath = folder + "/.stdin";
    const std::string outPath = setup.stdoutPath.empty() ? folder + "/.stdout" : setup.stdoutPath;
    const std::string errPath = folder + "/.stderr";
    std::ofstream(inputPath, std::ios::binary) << setup.input;

    std::vector<std::string> envText;
    for (char** e = environ; *e != nullptr; ++e) envText.emplace_back(*e);
    for (const std::string& extra : setup.env) envText.push_back(extra);
    std::vector<char*> envp;
    for (std::string& entry : envText) envp.push_back(entry.data());
    envp.push_back(nullptr);

    int brokenPipe[2] = {-1, -1};
    if (setup.stdoutBrokenPipe) {
        if (::pipe(brokenPipe) != 0) std::abort();
        ::close(brokenPipe[0]);
    }

    const pid_t child = ::fork();
    if (child == 0) {
        const int in = ::open(setup.stdinPath.empty() ? inputPath.c_str() : setup.stdinPath.c_str(), O_RDONLY);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(in, 0);
        ::dup2(err, 2);
        if (setup.closeStdout) {
            ::close(1);
        } else if (setup.stdoutBrokenPipe) {
            ::dup2(brokenPipe[1], 1);
        } else {
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(out, 1);
        }
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
        ::signal(SIGPIPE, SIG_DFL);
        char* argv[] = {const_cast<char*>(BALLAST_EXE), nullptr};
        ::execve(BALLAST_EXE, argv, envp.data());
        ::_exit(127);
    }
    if (brokenPipe[1] >= 0) ::close(brokenPipe[1]);
    int status = 0;
    ::waitpid(child, &status, 0);

    ProgramRun run;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (setup.stdoutPath.empty() && !setup.closeStdout && !setup.stdoutBrokenPipe) run.out = readFile(outPath);
    run.err = readFile(errPath);
    std::filesystem::remove(inputPath);
    std::filesystem::remove(errPath);
    if (setup.stdoutPath.empty()) std::filesystem::remove(outPath);
    return run;
}

}  // namespace ballast::testing
