#include "console/console.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace ballast {
namespace {

constexpr std::size_t kInputBufferSize = std::size_t{64} * 1024;
constexpr std::size_t kOutputFlushSize = std::size_t{256} * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Waits until `fd` is ready for `events`, for a descriptor left non-blocking
// by whoever handed it over.
void awaitReady(int fd, short events) {
    pollfd ready = {fd, events, 0};
    while (::poll(&ready, 1, -1) < 0 && errno == EINTR) {
    }
}

bool wouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// Writes all of `text` to `fd`, retrying after interruptions and short writes.
// Returns 0, or the errno of the failure.
int writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            const int error = errno;
            if (error == EINTR) continue;
            if (!wouldBlock(error)) return error;
            awaitReady(fd, POLLOUT);
            continue;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Writes all buffered output out; after a failure the output is dropped.
void flushOutput(Console& console) {
    if (console.outFd < 0) return;
    if (console.outError == 0 && !console.out.empty()) console.outError = writeAll(console.outFd, console.out);
    console.out.clear();
}

// Reads once into the free part of the input buffer, after writing out the
// output (the read may wait for the user). A failed read is reported and ends
// the input; so does output that has failed, for nobody sees the questions.
void readMore(Console& console) {
    flushOutput(console);
    if (console.inFd < 0 || console.outError != 0) {
        console.inEnded = true;
        return;
    }
    if (console.inPos == console.inEnd) console.inPos = console.inEnd = 0;
    if (console.inEnd == console.in.size()) {
        // Keep the bytes not yet taken at the front, then fill up behind them.
        std::memmove(console.in.data(), console.in.data() + console.inPos, console.inEnd - console.inPos);
        console.inEnd -= console.inPos;
        console.inPos = 0;
    }
    const ssize_t got = ::read(console.inFd, console.in.data() + console.inEnd, console.in.size() - console.inEnd);
    if (got > 0) {
        console.inEnd += static_cast<std::size_t>(got);
        return;
    }
    const int error = got == 0 ? 0 : errno;
    if (error == EINTR) return;
    if (wouldBlock(error)) {
        awaitReady(console.inFd, POLLIN);
        return;
    }
    console.inEnded = true;
    console.inError = error;
    if (error != 0) writeMessage(console, "read error on standard input: %s", std::strerror(error));
}

// Whether fewer than `count` bytes are buffered and more may still come.
bool mayFill(const Console& console, std::size_t count) {
    return console.inEnd - console.inPos < count && !console.inEnded;
}

// Skips a byte-order mark at the start of the input, reading only as far as
// the bytes so far could still begin one.
void skipByteOrderMark(Console& console) {
    console.inStarted = true;
    for (std::size_t i = 0; i < kByteOrderMark.size(); ++i) {
        while (mayFill(console, i + 1)) readMore(console);
        if (console.inEnd - console.inPos <= i || console.in[console.inPos + i] != kByteOrderMark[i]) return;
    }
    console.inPos += kByteOrderMark.size();
}

// peekByte when the byte is not buffered yet, or the start of the input has
// not been looked at: kept apart so that the common case stays small.
__attribute__((noinline)) int peekByteAfterReading(Console& console, std::size_t ahead) {
    if (!console.inStarted) skipByteOrderMark(console);
    while (mayFill(console, ahead + 1)) readMore(console);
    if (console.inPos + ahead < console.inEnd) return static_cast<unsigned char>(console.in[console.inPos + ahead]);
    return -1;
}

}  // namespace

Console standardConsole() {
    Console console;
    console.inFd = STDIN_FILENO;
    console.in.resize(kInputBufferSize);
    console.outFd = STDOUT_FILENO;
    console.out.reserve(kOutputFlushSize + 4096);
    // A pipe that holds a whole buffer's worth takes each write in one go
    // (best effort: the system may refuse a larger pipe).
    ::fcntl(STDOUT_FILENO, F_SETPIPE_SZ, static_cast<int>(kOutputFlushSize * 4));
    console.errFd = STDERR_FILENO;
    return console;
}

Console memoryConsole(std::string_view input) {
    Console console;
    console.in.assign(input.begin(), input.end());
    console.inEnd = console.in.size();
    console.inEnded = true;
    return console;
}

const std::string& keptOutput(const Console& console) { return console.out; }
const std::string& keptMessages(const Console& console) { return console.err; }

void writeText(Console& console, std::string_view text) {
    if (console.outError != 0) return;
    console.out.append(text);
    if (console.out.size() >= kOutputFlushSize) flushOutput(console);
}

bool outputFailed(const Console& console) { return console.outError != 0; }

void writeMessage(Console& console, const char* format, ...) {
    flushOutput(console);
    char text[512];
    std::va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    std::string line = "ballast: ";
    line.append(text, length < 0 ? 0 : std::min(static_cast<std::size_t>(length), sizeof text - 1));
    line += '\n';
    if (console.errFd < 0) {
        console.err += line;
    } else {
        writeAll(console.errFd, line);  // nowhere left to report a failure
    }
}

bool finishConsole(Console& console) {
    flushOutput(console);
    if (console.outError != 0) {
        writeMessage(console, "write error on standard output: %s", std::strerror(console.outError));
        return false;
    }
    return console.inError == 0;
}

int peekByte(Console& console, std::size_t ahead) {
    if (console.inPos + ahead < console.inEnd && console.inStarted) {
        return static_cast<unsigned char>(console.in[console.inPos + ahead]);
    }
    return peekByteAfterReading(console, ahead);
}

void consumeBytes(Console& console, std::size_t count) { console.inPos += count; }

}  // namespace ballast
