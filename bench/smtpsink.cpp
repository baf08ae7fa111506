// A minimal SMTP sink for the send benchmark: accepts one connection at a
// time on a loopback port, answers every command at once and discards the
// message. Prints its port, then serves until killed.

#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool say(int fd, const char *line)
{
    const size_t n = std::strlen(line);
    return ::send(fd, line, n, MSG_NOSIGNAL) == ssize_t(n);
}

void serve(int fd)
{
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (!say(fd, "220 sink ready\r\n"))
        return;
    std::string buffer;
    bool inData = false;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got <= 0)
            return;
        buffer.append(chunk, size_t(got));
        for (;;) {
            if (inData) {
                const size_t end = buffer.find("\r\n.\r\n");
                if (end == std::string::npos)
                    break;
                buffer.erase(0, end + 5);
                inData = false;
                if (!say(fd, "250 queued\r\n"))
                    return;
                continue;
            }
            const size_t end = buffer.find("\r\n");
            if (end == std::string::npos)
                break;
            const std::string line = buffer.substr(0, end);
            auto is = [&line](const char *verb) { return strncasecmp(line.c_str(), verb, 4) == 0; };
            buffer.erase(0, end + 2);
            if (is("DATA")) {
                inData = true;
                // the terminator search needs the line break before the dot
                buffer.insert(0, "\r\n");
                if (!say(fd, "354 go ahead\r\n"))
                    return;
            } else if (is("QUIT")) {
                say(fd, "221 bye\r\n");
                return;
            } else if (!say(fd, "250 ok\r\n")) {
                return;
            }
        }
    }
}

} // namespace

int main()
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
        ::listen(listener, 16) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&addr), &len) != 0) {
        std::perror("smtpsink");
        return 1;
    }
    std::printf("%d\n", ntohs(addr.sin_port));
    std::fflush(stdout);
    for (;;) {
        const int fd = ::accept(listener, nullptr, nullptr);
        if (fd < 0)
            continue;
        serve(fd);
        ::close(fd);
    }
}
