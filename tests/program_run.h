// Runs the built ballast program as a child process in a fresh temporary
// working folder, with given standard input, and collects what it wrote.
#pragma once

#include <string>
#include <vector>

namespace ballast::testing {

struct ProgramRun {
    int exitStatus = -1;  // -1 when the program did not exit normally
    std::string out;      // standard output, when it went to a file
    std::string err;      // standard error
};

struct ProgramSetup {
    std::string input;                  // standard input, from a file
    std::string stdinPath;              // or from this path, when given
    std::string stdoutPath;             // "" for a file of the run's own
    bool closeStdout = false;           // start with descriptor 1 closed
    bool stdoutBrokenPipe = false;      // a pipe whose reading end is closed
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

// Reads a whole file; "" when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace ballast::testing
