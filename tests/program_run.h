// Runs the built ballast program as a child process in a fresh temporary
// working folder, with given standard input, and collects what it wrote.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace ballast::testing {

struct ProgramRun {
    int exitStatus = -1;  // -1 when the program did not exit normally
    std::string out;      // standard output, when it went to a file
    std::string err;      // standard error (and output, when merged)
};

struct ProgramSetup {
    std::vector<std::string> args;      // the arguments after the program's name
    std::string input;                  // standard input, from a file
    std::string stdinPath;              // or from this path, when given
    bool closeStdin = false;            // start with descriptor 0 closed
    std::string stdoutPath;             // "" for a file of the run's own
    bool closeStdout = false;           // start with descriptor 1 closed
    bool stdoutBrokenPipe = false;      // a pipe whose reading end is closed
    bool mergeOutput = false;           // standard output into the file of standard error
    long fileSizeLimit = -1;            // RLIMIT_FSIZE in bytes, when not -1
    std::vector<std::string> env;       // extra NAME=VALUE entries
};

// A temporary folder, removed with everything in it at destruction.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string path;
};

ProgramRun runProgram(const ProgramSetup& setup, const std::string& folder);

// Starts the program in `folder` with `in`, `out` and `err` as its standard
// streams and `args` as its arguments, and returns at once with its pid.
pid_t startProgram(const std::string& folder, int in, int out, int err, const std::vector<std::string>& args = {});

// Waits for `child` to end, killing it after `seconds`. Returns its exit
// status, or -1 when it was killed or died by a signal.
int awaitExit(pid_t child, int seconds = 20);

// Waits until `child` sleeps (blocked on a read, a write or a poll) or has
// ended. Returns false after `seconds`.
bool awaitAsleep(pid_t child, int seconds = 20);

// Reads a whole file; "" when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace ballast::testing
