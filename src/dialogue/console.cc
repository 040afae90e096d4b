#include "dialogue/console.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace ballast {
namespace {

constexpr std::size_t kInputBufferSize = std::size_t{64} * 1024;
constexpr std::size_t kOutputFlushSize = std::size_t{64} * 1024;

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
            if (errno == EINTR) continue;
            if (wouldBlock(errno)) {
                awaitReady(fd, POLLOUT);
                continue;
            }
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

void reserveIfClosed(int fd, int flags) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return;
    const int opened = ::open("/dev/null", flags);
    if (opened >= 0 && opened != fd) {
        ::dup2(opened, fd);
        ::close(opened);
    }
}

}  // namespace

Console standardConsole() {
    reserveIfClosed(STDIN_FILENO, O_RDONLY);
    reserveIfClosed(STDOUT_FILENO, O_RDONLY);
    reserveIfClosed(STDERR_FILENO, O_WRONLY);
    std::signal(SIGPIPE, SIG_IGN);

    Console console;
    console.inFd = STDIN_FILENO;
    console.in.resize(kInputBufferSize);
    console.outFd = STDOUT_FILENO;
    console.out.reserve(kOutputFlushSize + 4096);
    console.errFd = STDERR_FILENO;
    return console;
}

Console memoryConsole(std::string_view input) {
    Console console;
    console.in.assign(input.begin(), input.end());
    console.inEnd = console.in.size();
    return console;
}

void writeText(Console& console, std::string_view text) {
    console.out.append(text);
    flushIfFull(console);
}

void flushIfFull(Console& console) {
    if (console.outFd >= 0 && console.out.size() >= kOutputFlushSize) flushOutput(console);
}

bool flushOutput(Console& console) {
    if (console.outFd < 0) return true;
    if (!console.outFailed && !console.out.empty()) {
        const int error = writeAll(console.outFd, console.out);
        if (error != 0) {
            console.outFailed = true;
            console.outError = error;
        }
    }
    console.out.clear();
    return !console.outFailed;
}

void writeMessage(Console& console, std::string_view message) {
    flushOutput(console);
    std::string line = "ballast: ";
    line.append(message);
    line += '\n';
    if (console.errFd < 0) {
        console.err += line;
    } else {
        writeAll(console.errFd, line);  // nowhere left to report a failure
    }
}

bool finishConsole(Console& console) {
    if (!flushOutput(console)) {
        writeMessage(console, std::string("write error on standard output: ") + std::strerror(console.outError));
        return false;
    }
    return console.inError == 0;
}

int peekByteSlow(Console& console, std::size_t ahead) {
    while (console.inPos + ahead >= console.inEnd && !console.inEnded) {
        if (console.inFd < 0) {
            console.inEnded = true;
            break;
        }
        // Keep the bytes not yet taken at the front, then fill up behind them.
        std::memmove(console.in.data(), console.in.data() + console.inPos, console.inEnd - console.inPos);
        console.inEnd -= console.inPos;
        console.inPos = 0;
        flushOutput(console);  // the read below may wait for the user
        const ssize_t got = ::read(console.inFd, console.in.data() + console.inEnd, console.in.size() - console.inEnd);
        if (got > 0) {
            console.inEnd += static_cast<std::size_t>(got);
        } else if (got == 0) {
            console.inEnded = true;
        } else if (wouldBlock(errno)) {
            awaitReady(console.inFd, POLLIN);
        } else if (errno != EINTR) {
            console.inEnded = true;
            console.inError = errno;
            writeMessage(console, std::string("read error on standard input: ") + std::strerror(errno));
        }
    }
    if (console.inPos + ahead < console.inEnd) {
        return static_cast<unsigned char>(console.in[console.inPos + ahead]);
    }
    return -1;
}

}  // namespace ballast
