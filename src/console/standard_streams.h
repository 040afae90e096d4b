// Process set-up for a program whose interface is its standard streams and
// the files it writes: done once, first thing in the entry routine.
#pragma once

namespace ballast {

// Descriptors 0 to 2 that are closed are reserved on the null device, opened
// the wrong way round (standard input write-only, standard output and
// standard error read-only), so that no file the program opens takes their
// place and using them still fails as a closed descriptor would: "Bad file
// descriptor". SIGPIPE and SIGXFSZ are ignored, so a pipe whose reader has
// gone and a file past the size limit are write errors that the program
// reports, instead of signals that kill it without a word.
void prepareStandardStreams();

}  // namespace ballast
