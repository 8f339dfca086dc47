#pragma once

// The state behind both faces of the virtual keyboard: the control side
// (VirtualKeyboard) and the device side (wire.h). One lock guards all of it.

#include "firmware.h"
#include "virtualkeyboard.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace vkb {

constexpr uint16_t kCommandPage = 0xFF01;
constexpr uint16_t kNotifyPage = 0xFF02;

// One open handle as the kernel sees it: its own queue of input reports.
struct Port {
    Interface interface; // fixed at open, so readable without the lock
    bool dead = false;   // the keyboard was unplugged since the handle was opened
    std::deque<Bytes> queue;
};

struct Model {
    std::mutex mutex;
    // Signalled when a report is queued, the stall is lifted or the keyboard unplugged.
    std::condition_variable changed;

    Firmware firmware;
    std::vector<Interface> interfaces = VirtualKeyboard::defaultInterfaces();
    bool pluggedIn = true;
    bool stalled = false;
    std::vector<std::shared_ptr<Port>> ports; // open handles, dead ones included
    std::vector<Report> reports;
    std::array<std::vector<int>, 4> rejections; // calls still to come before each refusal

    // Control mode only: writes out what the firmware keeps, called with the lock held
    // after the firmware took a report.
    void (*keep)(Model &model) = nullptr;
    // Control mode only: a long-running program must not grow the log without end.
    size_t reportLimit = 0; // 0: no limit

    void record(const Port &port, ReportKind kind, Bytes bytes);
    void firmwareTookReport()
    {
        if (keep)
            keep(*this);
    }
    // Counts one call of this kind; true when it is the one to refuse.
    bool refuse(ReportKind kind);
    // Queues an input report on every live handle the filter accepts; how many got it.
    template<typename Filter>
    int queueInput(const Bytes &report, Filter accepts);
};

Model &model();

template<typename Filter>
int Model::queueInput(const Bytes &report, Filter accepts)
{
    // The kernel keeps this many reports per handle and drops newer ones when full.
    constexpr size_t kQueueLimit = 64;
    int reached = 0;
    for (const auto &port : ports) {
        if (port->dead || !accepts(*port) || port->queue.size() >= kQueueLimit)
            continue;
        port->queue.push_back(report);
        ++reached;
    }
    if (reached > 0)
        changed.notify_all();
    return reached;
}

} // namespace vkb
