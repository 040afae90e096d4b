// The console the program talks over: answers are read from standard input,
// questions and results are written to standard output and messages to
// standard error, all as bytes.
//
// Output is buffered. It is written out when the program is about to wait for
// input (so every question has arrived before its answer is awaited, on a
// terminal, a pipe or a file alike), when the buffer has grown large, before a
// message and at the end; never after each question, so batch runs stay fast.
// A UTF-8 byte-order mark at the very start of the input (as Windows editors
// save it) is skipped. A console can also live in memory, its input given as
// text and its output and messages kept, so the dialogue can be driven
// without a process.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ballast {

// The console's state; use it only through the functions below.
struct Console {
    int inFd = -1;               // descriptor answers are read from; -1: only `in`
    std::vector<char> in;        // input read but not yet taken: in[inPos, inEnd)
    std::size_t inPos = 0;
    std::size_t inEnd = 0;
    bool inStarted = false;      // the start of the input has been looked at
    bool inEnded = false;        // end of input or a read error has been met
    int inError = 0;             // errno of a failed read, 0 at a plain end

    int outFd = -1;              // descriptor of standard output; -1: kept in `out`
    std::string out;             // output not yet written out (or all of it, kept)
    int outError = 0;            // errno of a failed write; later output is dropped

    int errFd = -1;              // descriptor of standard error; -1: kept in `err`
    std::string err;             // messages, when kept in memory
};

// The console on the process's standard streams, descriptors 0, 1 and 2.
Console standardConsole();

// A console whose input is `input` and whose output and messages are kept.
Console memoryConsole(std::string_view input);

// What a memory console has kept of standard output and of standard error.
const std::string& keptOutput(const Console& console);
const std::string& keptMessages(const Console& console);

// Appends `text` to standard output.
void writeText(Console& console, std::string_view text);

// Whether a write to standard output has failed; once it has, nothing more is
// written and no more input is read, so the run can end at once.
bool outputFailed(const Console& console);

// Writes "ballast: ", the printf-style `format` filled in, and a line end to
// standard error, after flushing standard output so that the two appear in the
// order they were written.
void writeMessage(Console& console, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Ends the conversation: writes out the buffered output and reports on
// standard error a failed write to standard output. Returns true when neither
// that nor a read from standard input failed (a failed read is reported when
// it happens, and ends the input).
bool finishConsole(Console& console);

// The input byte `ahead` places past the next one (0: the next), or -1 at the
// end of input; nothing is taken. Before it waits for input it writes out the
// buffered output. `ahead` stays small (a few hundred at most).
int peekByte(Console& console, std::size_t ahead);

// Takes `count` bytes that peekByte has shown.
void consumeBytes(Console& console, std::size_t count);

}  // namespace ballast
