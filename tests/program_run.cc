#include "program_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace ballast::testing {
namespace {

// In the child: runs the program with `envp`, never returning.
[[noreturn]] void execProgram(const std::string& folder, const std::vector<std::string>& args, char** envp) {
    if (::chdir(folder.c_str()) != 0) ::_exit(127);
    ::signal(SIGPIPE, SIG_DFL);
    std::vector<std::string> argText = {BALLAST_EXE};
    argText.insert(argText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argText) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execve(BALLAST_EXE, argv.data(), envp);
    ::_exit(127);
}

// Makes `from` the child's descriptor `to`, or closes `to` when `from` is -1.
void placeDescriptor(int from, int to) {
    if (from < 0) {
        ::close(to);
    } else if (from != to) {
        ::dup2(from, to);
    }
}

}  // namespace

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
    const bool ownOut = setup.stdoutPath.empty() && !setup.closeStdout && !setup.stdoutBrokenPipe && !setup.mergeOutput;

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
        const int in = setup.closeStdin ? -1
                                        : ::open(setup.stdinPath.empty() ? inputPath.c_str() : setup.stdinPath.c_str(),
                                                 O_RDONLY);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int out = err;
        if (setup.closeStdout) {
            out = -1;
        } else if (setup.stdoutBrokenPipe) {
            out = brokenPipe[1];
        } else if (!setup.mergeOutput) {
            out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        }
        placeDescriptor(in, 0);
        placeDescriptor(out, 1);
        placeDescriptor(err, 2);
        if (setup.fileSizeLimit >= 0) {
            const rlimit limit = {static_cast<rlim_t>(setup.fileSizeLimit), static_cast<rlim_t>(setup.fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        execProgram(folder, setup.args, envp.data());
    }
    if (brokenPipe[1] >= 0) ::close(brokenPipe[1]);

    ProgramRun run;
    run.exitStatus = awaitExit(child);
    if (ownOut) run.out = readFile(outPath);
    run.err = readFile(errPath);
    std::filesystem::remove(inputPath);
    std::filesystem::remove(errPath);
    if (ownOut) std::filesystem::remove(outPath);
    return run;
}

pid_t startProgram(const std::string& folder, int in, int out, int err, const std::vector<std::string>& args) {
    const pid_t child = ::fork();
    if (child == 0) {
        // Copied above 2 first, so that no placement overwrites another's source.
        const int moved[3] = {in < 0 ? -1 : ::fcntl(in, F_DUPFD, 10), out < 0 ? -1 : ::fcntl(out, F_DUPFD, 10),
                              err < 0 ? -1 : ::fcntl(err, F_DUPFD, 10)};
        for (int fd = 0; fd < 3; ++fd) placeDescriptor(moved[fd], fd);
        for (int fd = 3; fd < 256; ++fd) ::close(fd);
        execProgram(folder, args, environ);
    }
    return child;
}

int awaitExit(pid_t child, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool awaitAsleep(pid_t child, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string stat = readFile("/proc/" + std::to_string(child) + "/stat");
        // The state follows the command name, which is in parentheses.
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos || close + 2 >= stat.size()) return true;  // gone
        const char state = stat[close + 2];
        if (state == 'S' || state == 'Z') return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

}  // namespace ballast::testing
