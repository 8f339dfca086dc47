#include "control.h"

#include "model.h"
#include "statefile.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace vkb::control {

namespace {

constexpr size_t kLineLimit = 256;
constexpr size_t kStateSizeLimit = 1 << 20;
constexpr size_t kReportLimit = 4096;
constexpr int kMaxRejectCount = 1000000;

struct Control {
    std::string dir;
    std::string statePath;
    std::string socketPath;
    pid_t owner = 0;

    // Guarded by the model's lock: the bytes last written to the state file.
    Bytes kept;
    bool keepFailed = false;

    int listener = -1;
    int stopPipe[2] = {-1, -1};
    std::thread thread;
    struct stat socketFile{};

    std::mutex monitorsMutex;
    std::map<const void *, int> monitors; // udev monitor → event descriptor
};

// Set once by start(); never freed, since the program's threads may call hidapi while it
// exits.
Control *control = nullptr;

void log(const std::string &message)
{
    std::fprintf(stderr, "virtual keyboard: %s\n", message.c_str());
}

std::string systemError(int error)
{
    return std::strerror(error);
}

void keepLocked(Model &m)
{
    Bytes state = encodeState(m.firmware, m.pluggedIn);
    if (state == control->kept)
        return;
    if (replaceFile(control->statePath, state)) {
        control->kept = std::move(state);
        control->keepFailed = false;
    } else if (!control->keepFailed) {
        control->keepFailed = true;
        log("cannot write " + control->statePath + ": " + systemError(errno));
    }
}

void keep()
{
    if (!control)
        return;
    Model &m = model();
    std::lock_guard lock(m.mutex);
    keepLocked(m);
}

void notifyMonitors()
{
    if (!control)
        return;
    std::lock_guard lock(control->monitorsMutex);
    for (const auto &[monitor, fd] : control->monitors) {
        const uint64_t one = 1;
        if (::write(fd, &one, sizeof one) != sizeof one)
            log("a plug event was lost: " + systemError(errno));
    }
}

std::vector<std::string_view> wordsOf(std::string_view line)
{
    std::vector<std::string_view> words;
    constexpr std::string_view blanks = " \t\r\n";
    for (size_t at = line.find_first_not_of(blanks); at != std::string_view::npos;
         at = line.find_first_not_of(blanks, at)) {
        const size_t end = std::min(line.find_first_of(blanks, at), line.size());
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

// Decimal, or hexadecimal after 0x; nothing else, not even a sign.
std::optional<int> numberOf(std::string_view word, int min, int max)
{
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        base = 16;
        word.remove_prefix(2);
    }
    if (word.empty() || word[0] == '-')
        return std::nullopt;
    long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (error != std::errc() || end != word.data() + word.size() || value < min || value > max)
        return std::nullopt;
    return int(value);
}

std::optional<ReportKind> reportKindOf(std::string_view word)
{
    if (word == "featureset")
        return ReportKind::FeatureSet;
    if (word == "featureget")
        return ReportKind::FeatureGet;
    if (word == "datawrite")
        return ReportKind::DataWrite;
    if (word == "dataread")
        return ReportKind::DataRead;
    return std::nullopt;
}

std::string status()
{
    Model &m = model();
    std::lock_guard lock(m.mutex);
    const auto l = lightingBytes(m.firmware.active().lighting);
    std::string reply = std::string("ok plugged=") + (m.pluggedIn ? "yes" : "no")
        + " stalled=" + (m.stalled ? "yes" : "no")
        + " profile=" + std::to_string(m.firmware.activeProfile) + " lighting=";
    for (size_t i = 0; i < l.size(); ++i)
        reply += (i ? "," : "") + std::to_string(l[i]);
    return reply + " handles=" + std::to_string(m.ports.size());
}

std::string usage(std::string_view form)
{
    return "error usage: " + std::string(form);
}

std::string refused(const std::string &why, std::string_view form)
{
    return "error " + why + " (usage: " + std::string(form) + ")";
}

// Parses the whole line before acting, so that a refused command changes nothing.
std::string run(const std::vector<std::string_view> &w)
{
    VirtualKeyboard &keyboard = VirtualKeyboard::instance();
    const std::string_view command = w[0];
    const size_t args = w.size() - 1;

    if (command == "status") {
        if (args != 0)
            return usage("status");
        return status();
    }
    if (command == "unplug" || command == "plug") {
        if (args != 0)
            return usage(command);
        if (command == "unplug")
            keyboard.unplug();
        else
            keyboard.plugIn();
        keep();
        notifyMonitors();
        return command == "unplug" ? "ok unplugged" : "ok plugged in";
    }
    if (command == "lighting") {
        constexpr std::string_view form = "lighting TYPE BRIGHTNESS SPEED DIRECTION COLOR BL0 BL1 (each 0-255)";
        if (args != 7)
            return usage(form);
        uint8_t v[7];
        for (size_t i = 0; i < 7; ++i) {
            const auto n = numberOf(w[i + 1], 0, 255);
            if (!n)
                return refused("not a value from 0 to 255: '" + std::string(w[i + 1]) + "'", form);
            v[i] = uint8_t(*n);
        }
        const int reached = keyboard.changeLightingOnKeyboard(lightingFrom(v));
        keep();
        return "ok lighting changed, notification sent to " + std::to_string(reached) + " handle(s)";
    }
    if (command == "stall") {
        if (args != 1 || (w[1] != "on" && w[1] != "off"))
            return usage("stall on|off");
        keyboard.setStalled(w[1] == "on");
        return w[1] == "on" ? "ok stalled" : "ok stall lifted";
    }
    if (command == "reject") {
        constexpr std::string_view form = "reject featureset|featureget|datawrite|dataread [N]";
        if (args < 1 || args > 2)
            return usage(form);
        const auto kind = reportKindOf(w[1]);
        if (!kind)
            return refused("unknown report kind '" + std::string(w[1]) + "'", form);
        const auto nth = args == 2 ? numberOf(w[2], 1, kMaxRejectCount) : std::optional<int>(1);
        if (!nth)
            return refused("N must be from 1 to " + std::to_string(kMaxRejectCount) + ": '" + std::string(w[2]) + "'", form);
        keyboard.rejectNext(*kind, *nth);
        return "ok refusing " + std::string(w[1]) + " report number " + std::to_string(*nth) + " from now";
    }
    if (command == "reset") {
        if (args != 0)
            return usage("reset");
        const bool wasPluggedIn = keyboard.isPluggedIn();
        keyboard.reset();
        keep();
        if (!wasPluggedIn)
            notifyMonitors();
        return "ok factory state, plugged in";
    }
    return "error unknown command '" + std::string(command)
        + "' (commands: status, unplug, plug, lighting, stall, reject, reset)";
}

bool makeDirectory(const std::string &dir)
{
    for (size_t at = dir.find('/', 1); ; at = dir.find('/', at + 1)) {
        const std::string prefix = dir.substr(0, at);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (at == std::string::npos)
            break;
    }
    struct stat st{};
    if (::stat(dir.c_str(), &st) != 0)
        return false;
    errno = ENOTDIR;
    return S_ISDIR(st.st_mode);
}

// A socket file nobody accepts on, left by a program that ended without removing it.
bool isStale(const std::string &path, const sockaddr_un &address)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode))
        return false;
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return false;
    const bool refused = ::connect(probe, reinterpret_cast<const sockaddr *>(&address), sizeof address) < 0
        && errno == ECONNREFUSED;
    ::close(probe);
    return refused;
}

bool startListening(Control &c)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (c.socketPath.size() >= sizeof address.sun_path) {
        log("cannot serve control commands: the path " + c.socketPath + " is too long");
        return false;
    }
    std::memcpy(address.sun_path, c.socketPath.c_str(), c.socketPath.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto bound = [&] {
        return ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    };
    bool ok = fd >= 0 && bound();
    if (!ok && fd >= 0 && errno == EADDRINUSE && isStale(c.socketPath, address)) {
        ::unlink(c.socketPath.c_str());
        ok = bound();
    }
    ok = ok && ::listen(fd, 8) == 0 && ::stat(c.socketPath.c_str(), &c.socketFile) == 0;
    ok = ok && ::pipe2(c.stopPipe, O_CLOEXEC) == 0;
    if (!ok) {
        log("cannot serve control commands at " + c.socketPath + ": " + systemError(errno)
            + "; running without control");
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    c.listener = fd;
    return true;
}

void answer(int client)
{
    // A client that connects and says nothing must not hold the keyboard's controls.
    const timeval limit{5, 0};
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    std::string line;
    bool complete = false;
    while (line.size() <= kLineLimit) {
        char buffer[256];
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            complete = n == 0;
            break;
        }
        line.append(buffer, size_t(n));
        if (const size_t end = line.find('\n'); end != std::string::npos) {
            line.resize(end);
            complete = true;
            break;
        }
    }
    std::string reply;
    if (line.size() > kLineLimit)
        reply = "error a command has at most " + std::to_string(kLineLimit) + " characters";
    else if (complete)
        reply = execute(line);
    else
        return;
    reply += '\n';
    ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
}

void serve(Control &c)
{
    for (;;) {
        pollfd fds[2] = {{c.listener, POLLIN, 0}, {c.stopPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            log("control stopped: " + systemError(errno));
            return;
        }
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents & (POLLERR | POLLNVAL)) {
            log("control stopped: the socket failed");
            return;
        }
        const int client = ::accept4(c.listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        answer(client);
        ::close(client);
    }
}

void startThread(Control &c)
{
    // Signals are for the program's own threads.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    try {
        c.thread = std::thread(serve, std::ref(c));
    } catch (const std::system_error &e) {
        log(std::string("running without control: ") + e.what());
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

void startControlMode()
{
    const char *dir = std::getenv(kDirVariable);
    if (!dir || !*dir)
        return;
    auto *c = new Control;
    c->dir = dir;
    c->statePath = c->dir + "/state";
    c->socketPath = c->dir + "/control";
    c->owner = ::getpid();
    if (!makeDirectory(c->dir))
        log("cannot make the folder " + c->dir + ": " + systemError(errno));

    Model &m = model();
    {
        std::lock_guard lock(m.mutex);
        const auto bytes = readSmallFile(c->statePath, kStateSizeLimit);
        const auto state = bytes ? decodeState(*bytes) : std::nullopt;
        if (state) {
            m.firmware = state->firmware;
            m.pluggedIn = state->pluggedIn;
            c->kept = *bytes;
        } else if (struct stat st{}; ::lstat(c->statePath.c_str(), &st) == 0) {
            log(c->statePath + " holds no state this keyboard can read: starting from the factory state");
        }
        m.reportLimit = kReportLimit;
        m.keep = keepLocked;
        control = c;
        // A missing or unreadable file gives way to the state in use.
        keepLocked(m);
    }
    if (startListening(*c))
        startThread(*c);
}

__attribute__((destructor)) void stopControlMode()
{
    // A forked child has the memory of the thread but not the thread.
    Control *c = control;
    if (!c || c->owner != ::getpid() || !c->thread.joinable())
        return;
    const char stop = 0;
    if (::write(c->stopPipe[1], &stop, 1) == 1)
        c->thread.join();
    else
        c->thread.detach();
    ::close(c->listener);
    // Only the socket this process made: another one may have replaced it since.
    struct stat st{};
    if (::stat(c->socketPath.c_str(), &st) == 0 && st.st_dev == c->socketFile.st_dev
        && st.st_ino == c->socketFile.st_ino)
        ::unlink(c->socketPath.c_str());
}

} // namespace

void start()
{
    static std::once_flag once;
    std::call_once(once, startControlMode);
}

bool active()
{
    start();
    return control != nullptr;
}

std::string execute(std::string_view line)
{
    const auto words = wordsOf(line);
    if (words.empty())
        return "error empty command";
    return run(words);
}

int monitorDescriptor(const void *monitor)
{
    if (!control)
        return -ENODEV;
    std::lock_guard lock(control->monitorsMutex);
    if (const auto found = control->monitors.find(monitor); found != control->monitors.end())
        return found->second;
    const int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK | EFD_SEMAPHORE);
    if (fd < 0)
        return -errno;
    control->monitors.emplace(monitor, fd);
    return fd;
}

bool takeMonitorEvent(const void *monitor)
{
    if (!control)
        return false;
    std::lock_guard lock(control->monitorsMutex);
    const auto found = control->monitors.find(monitor);
    uint64_t value = 0;
    return found != control->monitors.end() && ::read(found->second, &value, sizeof value) == sizeof value;
}

} // namespace vkb::control
