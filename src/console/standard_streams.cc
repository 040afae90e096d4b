#include "console/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace ballast {
namespace {

void reserveIfClosed(int fd, int flags) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return;
    const int opened = ::open("/dev/null", flags);
    if (opened >= 0 && opened != fd) {
        ::dup2(opened, fd);
        ::close(opened);
    }
}

}  // namespace

void prepareStandardStreams() {
    reserveIfClosed(STDIN_FILENO, O_WRONLY);
    reserveIfClosed(STDOUT_FILENO, O_RDONLY);
    reserveIfClosed(STDERR_FILENO, O_RDONLY);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace ballast
