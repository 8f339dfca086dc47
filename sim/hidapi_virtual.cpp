// The hidapi C interface over the virtual keyboard. Exported with default visibility so
// that linking this library, or preloading it, replaces the system hidapi.

#include "control.h"
#include "wire.h"

#include <hidapi.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

constexpr const wchar_t *kSerial = L"VKB0001";
constexpr const wchar_t *kManufacturer = L"Valdrin";
constexpr const wchar_t *kProduct = L"QN9";
constexpr unsigned short kReleaseNumber = 0x0100;

constexpr const wchar_t *kBadArgument = L"Invalid argument: null buffer or zero length";
constexpr const wchar_t *kNoDevice = L"Invalid argument: null device handle";
constexpr const wchar_t *kUnplugged = L"The device has been disconnected";
constexpr const wchar_t *kUnsupported = L"Not supported by this device";

// Literals only, so that reading an error never races with setting the next one.
std::atomic<const wchar_t *> globalError{nullptr};

hid_device_info *newInfo(const vkb::Interface &i)
{
    auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    info->path = strdup(i.path.c_str());
    info->vendor_id = i.vendorId;
    info->product_id = i.productId;
    info->serial_number = wcsdup(kSerial);
    info->release_number = kReleaseNumber;
    info->manufacturer_string = wcsdup(kManufacturer);
    info->product_string = wcsdup(kProduct);
    info->usage_page = i.usagePage;
    info->usage = i.usage;
    info->interface_number = i.interfaceNumber;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

int fail(const wchar_t *why)
{
    globalError = why;
    return -1;
}

} // namespace

struct hid_device_ {
    std::shared_ptr<vkb::Port> port;
    hid_device_info *info = nullptr; // what hid_get_device_info hands out until hid_close
    std::atomic<const wchar_t *> error{nullptr};
    std::atomic<bool> nonBlocking{false};

    int fail(const wchar_t *why)
    {
        error = why;
        return -1;
    }
    // A live handle with a usable buffer, or -1 with the reason.
    int check(const void *buffer, size_t length)
    {
        if (!buffer || length == 0)
            return fail(kBadArgument);
        return vkb::wire::alive(*port) ? 0 : fail(kUnplugged);
    }
    int take(const vkb::wire::Result &result)
    {
        return result.value < 0 ? fail(result.error) : result.value;
    }
};

namespace {

int copyString(hid_device *dev, const wchar_t *text, wchar_t *string, size_t maxlen)
{
    if (!dev)
        return fail(kNoDevice);
    if (dev->check(string, maxlen) < 0)
        return -1;
    std::wcsncpy(string, text, maxlen);
    string[maxlen - 1] = L'\0';
    return 0;
}

} // namespace

#pragma GCC visibility push(default)

extern "C" {

int hid_init(void)
{
    vkb::control::start();
    return 0;
}

int hid_exit(void)
{
    return 0;
}

struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    vkb::control::start();
    hid_device_info *first = nullptr;
    hid_device_info **tail = &first;
    for (const vkb::Interface &i : vkb::wire::enumerate()) {
        if ((vendor_id && vendor_id != i.vendorId) || (product_id && product_id != i.productId))
            continue;
        *tail = newInfo(i);
        tail = &(*tail)->next;
    }
    globalError = first ? nullptr : L"No HID devices found in the system.";
    return first;
}

void hid_free_enumeration(struct hid_device_info *devs)
{
    while (devs) {
        hid_device_info *next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs);
        devs = next;
    }
}

hid_device *hid_open_path(const char *path)
{
    vkb::control::start();
    if (!path) {
        fail(L"Invalid argument: null path");
        return nullptr;
    }
    const wchar_t *why = nullptr;
    std::shared_ptr<vkb::Port> port = vkb::wire::open(path, &why);
    if (!port) {
        fail(why);
        return nullptr;
    }
    globalError = nullptr;
    auto *dev = new hid_device_;
    dev->info = newInfo(port->interface);
    dev->port = std::move(port);
    return dev;
}

hid_device *hid_open(unsigned short vendor_id, unsigned short product_id, const wchar_t *serial_number)
{
    vkb::control::start();
    // As hidapi does: the first listed interface that matches.
    for (const vkb::Interface &i : vkb::wire::enumerate()) {
        if (i.vendorId != vendor_id || i.productId != product_id)
            continue;
        if (serial_number && std::wcscmp(serial_number, kSerial) != 0)
            continue;
        return hid_open_path(i.path.c_str());
    }
    fail(L"Device with requested VID/PID/(SerialNumber) not found");
    return nullptr;
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    if (!dev)
        return fail(kNoDevice);
    if (dev->check(data, length) < 0)
        return -1;
    return dev->take(vkb::wire::write(*dev->port, data, length));
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    if (!dev)
        return fail(kNoDevice);
    if (dev->check(data, length) < 0)
        return -1;
    return dev->take(vkb::wire::read(*dev->port, data, length, milliseconds));
}

int hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    if (!dev)
        return fail(kNoDevice);
    return hid_read_timeout(dev, data, length, dev->nonBlocking ? 0 : -1);
}

int hid_set_nonblocking(hid_device *dev, int nonblock)
{
    if (!dev)
        return fail(kNoDevice);
    if (!vkb::wire::alive(*dev->port))
        return dev->fail(kUnplugged);
    dev->nonBlocking = nonblock != 0;
    return 0;
}

int hid_send_feature_report(hid_device *dev, const unsigned char *data, size_t length)
{
    if (!dev)
        return fail(kNoDevice);
    if (dev->check(data, length) < 0)
        return -1;
    return dev->take(vkb::wire::sendFeature(*dev->port, data, length));
}

int hid_get_feature_report(hid_device *dev, unsigned char *data, size_t length)
{
    if (!dev)
        return fail(kNoDevice);
    if (dev->check(data, length) < 0)
        return -1;
    return dev->take(vkb::wire::getFeature(*dev->port, data, length));
}

int hid_get_input_report(hid_device *dev, unsigned char *data, size_t length)
{
    if (!dev)
        return fail(kNoDevice);
    if (dev->check(data, length) < 0)
        return -1;
    return dev->fail(kUnsupported);
}

void hid_close(hid_device *dev)
{
    if (!dev)
        return;
    vkb::wire::close(dev->port);
    hid_free_enumeration(dev->info);
    delete dev;
}

int hid_get_manufacturer_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyString(dev, kManufacturer, string, maxlen);
}

int hid_get_product_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyString(dev, kProduct, string, maxlen);
}

int hid_get_serial_number_string(hid_device *dev, wchar_t *string, size_t maxlen)
{
    return copyString(dev, kSerial, string, maxlen);
}

struct hid_device_info *hid_get_device_info(hid_device *dev)
{
    if (!dev) {
        fail(kNoDevice);
        return nullptr;
    }
    if (!vkb::wire::alive(*dev->port)) {
        dev->fail(kUnplugged);
        return nullptr;
    }
    return dev->info;
}

int hid_get_indexed_string(hid_device *dev, int string_index, wchar_t *string, size_t maxlen)
{
    (void)string_index;
    if (!dev)
        return fail(kNoDevice);
    if (dev->check(string, maxlen) < 0)
        return -1;
    return dev->fail(kUnsupported);
}

const wchar_t *hid_error(hid_device *dev)
{
    const wchar_t *why = dev ? dev->error.load() : globalError.load();
    return why ? why : L"Success";
}

const struct hid_api_version *hid_version(void)
{
    static const hid_api_version version{HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                         HID_API_VERSION_PATCH};
    return &version;
}

const char *hid_version_str(void)
{
    return HID_API_VERSION_STR;
}

} // extern "C"

#pragma GCC visibility pop
