// The console the dialogue talks over: answers are read from standard input,
// questions and results are written to standard output and messages to
// standard error, all as bytes.
//
// Output is buffered. It is written out when the program is about to wait for
// input (so every question has arrived before its answer is awaited, on a
// terminal, a pipe or a file alike), when the buffer is full, before a message
// and at the end; never after each question, so batch runs stay fast. A console
// can also live in memory, its input given as text and its output kept, so the
// dialogue can be driven without a process.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ballast {

struct Console {
    int inFd = -1;               // descriptor answers are read from; -1: only `in`
    std::vector<char> in;        // input read but not yet taken: in[inPos, inEnd)
    std::size_t inPos = 0;
    std::size_t inEnd = 0;
    bool inEnded = false;        // end of input or a read error has been met
    int inError = 0;             // errno of a failed read, 0 at a plain end

    int outFd = -1;              // descriptor of standard output; -1: kept in `out`
    std::string out;             // output not yet written out
    bool outFailed = false;      // a write failed; later output is dropped
    int outError = 0;            // errno of the failed write

    int errFd = -1;              // descriptor of standard error; -1: kept in `err`
    std::string err;             // messages, when kept in memory
};

// The longest look-ahead peekByte serves.
inline constexpr std::size_t kMaxLookahead = 256;

// The console on the process's standard streams. Descriptors 0 to 2 that are
// closed are first reserved on the null device (standard output read-only, so
// writing to it still fails as a closed one would), so no file the program
// opens can take their place; a broken pipe is reported as a write error
// instead of killing the process.
Console standardConsole();

// A console whose input is `input` and whose output and messages are kept.
Console memoryConsole(std::string_view input);

// Appends `text` to standard output.
void writeText(Console& console, std::string_view text);

// Writes the buffered output out once it has grown large.
void flushIfFull(Console& console);

// Writes all buffered output out. Returns false when standard output has
// failed, now or before.
bool flushOutput(Console& console);

// Writes "ballast: MESSAGE" and a line end to standard error, after flushing
// standard output so the two appear in the order they were written.
void writeMessage(Console& console, std::string_view message);

// Ends the conversation: writes out the buffered output and reports on
// standard error a failed write to standard output. Returns true when neither
// that nor a read from standard input failed (a failed read is reported when
// it happens, and ends the input).
bool finishConsole(Console& console);

// Reads more input so that at least `ahead` + 1 bytes are buffered, flushing
// the output before it may wait. Returns the byte `ahead` places on, or -1.
// A failed read is reported on standard error and ends the input.
int peekByteSlow(Console& console, std::size_t ahead);

// The input byte `ahead` places past the next one (0: the next), or -1 at the
// end of input; nothing is taken. `ahead` is below kMaxLookahead.
inline int peekByte(Console& console, std::size_t ahead) {
    if (console.inPos + ahead < console.inEnd) {
        return static_cast<unsigned char>(console.in[console.inPos + ahead]);
    }
    return peekByteSlow(console, ahead);
}

// Takes `count` bytes that peekByte has shown.
inline void consumeBytes(Console& console, std::size_t count) { console.inPos += count; }

}  // namespace ballast
