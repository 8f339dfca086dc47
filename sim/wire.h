#pragma once

// The device side of the model: what the hidapi functions do once their arguments are
// checked. Each call takes the model's lock.

#include "model.h"

namespace vkb::wire {

// A hidapi result: the value to return, and why when it is -1.
struct Result {
    int value = -1;
    const wchar_t *error = nullptr;
};

std::vector<Interface> enumerate(); // empty while unplugged
std::shared_ptr<Port> open(const std::string &path, const wchar_t **error);
void close(const std::shared_ptr<Port> &port);
bool alive(const Port &port);

Result sendFeature(Port &port, const uint8_t *data, size_t length);
Result getFeature(Port &port, uint8_t *data, size_t length);
Result write(Port &port, const uint8_t *data, size_t length);
// milliseconds < 0 waits for a report, 0 returns at once.
Result read(Port &port, uint8_t *data, size_t length, int milliseconds);

} // namespace vkb::wire
