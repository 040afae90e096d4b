// The command-line front end: the same calculator as the dialogue, driven by
// options, for scripts, sweeps and spreadsheets. It writes its rows to
// standard output and never touches the report file.
#pragma once

#include "console/console.h"

namespace ballast {

// Runs the command line `argv` (argc > 1) on `console`. Returns the exit
// status: 0 when every row was written, 1 when standard output failed, 2 for
// a command line that cannot be carried out (with the message on standard
// error and a pointer to --help).
int runCommandLine(Console& console, int argc, char** argv);

}  // namespace ballast
