// vkbctl: steers the virtual keyboard of a running utility (control mode, see control.h).
// Exit status: 0 when the keyboard answered "ok", 1 when it refused the command, 2 when
// no utility is listening.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr const char *kHelp = R"(Usage: vkbctl [--dir DIR] COMMAND [ARGUMENTS...]

Steers the virtual keyboard of a utility started with VALDRIN_VKB_DIR=DIR.
DIR defaults to $VALDRIN_VKB_DIR, else ${XDG_RUNTIME_DIR:-/tmp}/valdrin-virtual-keyboard-$UID.

Commands:
  status                           plugged in, stalled, active profile, lighting, open handles
  unplug                           pull the keyboard out
  plug                             plug it in again
  lighting T B S D C BL0 BL1       change the lighting on the keyboard itself (type, brightness,
                                   speed, direction, colour, backlight 0 and 1; each 0-255,
                                   decimal or 0x hexadecimal) and notify the utility
  stall on|off                     the keyboard stops / resumes answering data reads
  reject KIND [N]                  refuse the Nth next report of KIND (default 1); KIND is
                                   featureset, featureget, datawrite or dataread
  reset                            factory state, plugged in

Exit status: 0 done, 1 refused, 2 no utility listening.
)";

std::string defaultDir()
{
    if (const char *dir = std::getenv("VALDRIN_VKB_DIR"); dir && *dir)
        return dir;
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string base = runtime && *runtime ? runtime : "/tmp";
    return base + "/valdrin-virtual-keyboard-" + std::to_string(::getuid());
}

bool sendAll(int fd, const std::string &text)
{
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    std::string dir = defaultDir();
    int first = 1;
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kHelp;
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--dir") == 0) {
        if (argc < 3) {
            std::cerr << kHelp;
            return 1;
        }
        dir = argv[2];
        first = 3;
    }
    if (first >= argc) {
        std::cerr << kHelp;
        return 1;
    }
    std::string command;
    for (int i = first; i < argc; ++i)
        command += (i > first ? " " : "") + std::string(argv[i]);

    const std::string path = dir + "/control";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        std::cerr << "vkbctl: the path " << path << " is too long for a socket\n";
        return 2;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) < 0) {
        std::cerr << "vkbctl: no utility is listening at " << path << " (" << std::strerror(errno) << ")\n";
        return 2;
    }
    std::string reply;
    if (sendAll(fd, command + "\n")) {
        char buffer[512];
        for (;;) {
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            reply.append(buffer, size_t(n));
        }
    }
    ::close(fd);
    if (const size_t end = reply.find('\n'); end != std::string::npos)
        reply.resize(end);
    if (reply.empty()) {
        std::cerr << "vkbctl: the utility at " << path << " gave no answer\n";
        return 2;
    }
    std::cout << reply << '\n';
    return reply.starts_with("ok") ? 0 : 1;
}
