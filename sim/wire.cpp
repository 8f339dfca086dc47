#include "wire.h"

#include <algorithm>
#include <cstring>

namespace vkb::wire {

namespace {

constexpr const wchar_t *kUnplugged = L"The device has been disconnected";
constexpr const wchar_t *kRefused = L"The device refused the report";
constexpr const wchar_t *kNoCommands = L"The interface does not take this report";

Result failed(const wchar_t *why)
{
    return {-1, why};
}

bool isCommand(const Port &port)
{
    return port.interface.usagePage == kCommandPage;
}

} // namespace

std::vector<Interface> enumerate()
{
    Model &m = model();
    std::lock_guard lock(m.mutex);
    return m.pluggedIn ? m.interfaces : std::vector<Interface>{};
}

std::shared_ptr<Port> open(const std::string &path, const wchar_t **error)
{
    Model &m = model();
    std::lock_guard lock(m.mutex);
    if (!m.pluggedIn) {
        *error = kUnplugged;
        return nullptr;
    }
    const auto found = std::find_if(m.interfaces.begin(), m.interfaces.end(),
                                    [&](const Interface &i) { return i.path == path; });
    if (found == m.interfaces.end()) {
        *error = L"No such device";
        return nullptr;
    }
    auto port = std::make_shared<Port>();
    port->interface = *found;
    m.ports.push_back(port);
    return port;
}

void close(const std::shared_ptr<Port> &port)
{
    Model &m = model();
    std::lock_guard lock(m.mutex);
    std::erase(m.ports, port);
}

bool alive(const Port &port)
{
    Model &m = model();
    std::lock_guard lock(m.mutex);
    return !port.dead;
}

Result sendFeature(Port &port, const uint8_t *data, size_t length)
{
    Model &m = model();
    std::lock_guard lock(m.mutex);
    if (port.dead)
        return failed(kUnplugged);
    m.record(port, ReportKind::FeatureSet, Bytes(data, data + length));
    if (!isCommand(port))
        return failed(kNoCommands);
    if (m.refuse(ReportKind::FeatureSet))
        return failed(kRefused);
    CommandReport report{};
    std::copy_n(data, std::min(length, report.size()), report.begin());
    m.firmware.command(report);
    m.firmwareTookReport();
    return {int(length)};
}

Result getFeature(Port &port, uint8_t *data, size_t length)
{
    Model &m = model();
    std::lock_guard lock(m.mutex);
    if (port.dead)
        return failed(kUnplugged);
    if (!isCommand(port))
        return failed(kNoCommands);
    const Firmware::Answer answer = m.firmware.answer();
    const size_t count = std::min(length, answer.report.size());
    m.record(port, ReportKind::FeatureGet, Bytes(answer.report.begin(), answer.report.begin() + count));
    if (m.refuse(ReportKind::FeatureGet))
        return failed(kRefused);
    std::memcpy(data, answer.report.data(), count);
    m.firmware.answered();
    const auto samePath = [&](const Port &p) { return p.interface.path == port.interface.path; };
    for (size_t at = 0; at < answer.block.size(); at += VirtualKeyboard::kReportLength) {
        const auto first = answer.block.begin() + at;
        m.queueInput(Bytes(first, first + VirtualKeyboard::kReportLength), samePath);
    }
    return {int(count)};
}

Result write(Port &port, const uint8_t *data, size_t length)
{
    Model &m = model();
    std::lock_guard lock(m.mutex);
    if (port.dead)
        return failed(kUnplugged);
    m.record(port, ReportKind::DataWrite, Bytes(data, data + length));
    if (!isCommand(port))
        return failed(kNoCommands);
    if (m.refuse(ReportKind::DataWrite))
        return failed(kRefused);
    // Byte 0 is the report ID; a short report leaves the rest of the chunk zero.
    DataChunk chunk{};
    std::copy_n(data + 1, std::min(length - 1, chunk.size()), chunk.begin());
    m.firmware.data(chunk);
    m.firmwareTookReport();
    return {int(length)};
}

Result read(Port &port, uint8_t *data, size_t length, int milliseconds)
{
    Model &m = model();
    std::unique_lock lock(m.mutex);
    const auto ready = [&] {
        return port.dead || (!port.queue.empty() && !(m.stalled && isCommand(port)));
    };
    if (milliseconds < 0)
        m.changed.wait(lock, ready);
    else if (milliseconds > 0)
        m.changed.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
    if (port.dead)
        return failed(kUnplugged);
    if (!ready())
        return {0};
    const Bytes &report = port.queue.front();
    const size_t count = std::min(length, report.size());
    m.record(port, ReportKind::DataRead, Bytes(report.begin(), report.begin() + count));
    // A refused read leaves the report queued for the next one.
    if (m.refuse(ReportKind::DataRead))
        return failed(kRefused);
    std::memcpy(data, report.data(), count);
    port.queue.pop_front();
    return {int(count)};
}

} // namespace vkb::wire
