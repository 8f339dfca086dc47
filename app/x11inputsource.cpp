#include "x11inputsource.h"

#include "inputhooks.h"

#include <QSocketNotifier>

#include <cstdlib>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace {
// X key codes are Linux key codes moved up by this much.
constexpr quint32 kKeycodeOffset = 8;

template<typename T>
struct Freed
{
    T *p;
    ~Freed() { std::free(p); }
    T *operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

quint32 buttonMessage(quint32 number, bool isDown)
{
    switch (number) {
    case 1: return isDown ? HookMessage::kLeftDown : HookMessage::kLeftUp;
    case 2: return isDown ? HookMessage::kMiddleDown : HookMessage::kMiddleUp;
    case 3: return isDown ? HookMessage::kRightDown : HookMessage::kRightUp;
    case 4:
    case 5: return HookMessage::kWheel;
    case 6:
    case 7: return HookMessage::kHorizontalWheel;
    default: return isDown ? HookMessage::kExtraDown : HookMessage::kExtraUp;
    }
}
} // namespace

std::unique_ptr<X11InputSource> X11InputSource::start(InputKind kind)
{
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    const auto fail = [connection] {
        xcb_disconnect(connection);
        return nullptr;
    };

    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(connection, &xcb_input_id);
    if (!extension || !extension->present)
        return fail();
    // 2.2 delivers raw events even while another client holds a grab.
    Freed<xcb_input_xi_query_version_reply_t> version{
        xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 2), nullptr)};
    if (!version || version->major_version < 2)
        return fail();

    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem)
        return fail();
    const xcb_window_t root = screens.data->root;

    struct
    {
        xcb_input_event_mask_t head;
        quint32 bits;
    } mask{};
    mask.head.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    mask.head.mask_len = 1;
    mask.bits = kind == InputKind::Keys
        ? XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE
        : XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    Freed<xcb_generic_error_t> error{
        xcb_request_check(connection, xcb_input_xi_select_events_checked(connection, root, 1, &mask.head))};
    if (error)
        return fail();

    return std::unique_ptr<X11InputSource>(new X11InputSource(kind, connection, root, extension->major_opcode));
}

X11InputSource::X11InputSource(InputKind kind, xcb_connection_t *connection, quint32 root, quint8 opcode)
    : kind(kind)
    , connection(connection)
    , root(root)
    , opcode(opcode)
{
    notifier = new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &X11InputSource::read);
    xcb_flush(connection);
}

X11InputSource::~X11InputSource()
{
    delete notifier;
    xcb_disconnect(connection);
}

void X11InputSource::read()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
        // The raw events of the extension; their detail is the key code or button number.
        const auto *generic = reinterpret_cast<const xcb_ge_generic_event_t *>(event);
        if ((event->response_type & 0x7F) == XCB_GE_GENERIC && generic->extension == opcode)
            handle(generic->event_type, reinterpret_cast<const xcb_input_raw_key_press_event_t *>(event)->detail);
        std::free(event);
    }
    // The display went away: the source falls silent.
    if (xcb_connection_has_error(connection))
        notifier->setEnabled(false);
}

void X11InputSource::handle(quint16 eventType, quint32 detail)
{
    const bool isPress = eventType == XCB_INPUT_RAW_KEY_PRESS || eventType == XCB_INPUT_RAW_BUTTON_PRESS;
    switch (eventType) {
    case XCB_INPUT_RAW_KEY_PRESS:
    case XCB_INPUT_RAW_KEY_RELEASE:
        if (kind == InputKind::Keys && detail >= kKeycodeOffset) {
            const Keystroke stroke = keystrokes.stroke(quint16(detail - kKeycodeOffset), isPress);
            keyboardHookProcedure(0, stroke.message, stroke.record);
        }
        return;
    case XCB_INPUT_RAW_BUTTON_PRESS:
    case XCB_INPUT_RAW_BUTTON_RELEASE:
        if (kind == InputKind::Buttons)
            button(detail, isPress);
        return;
    default:
        return;
    }
}

void X11InputSource::button(quint32 number, bool isDown)
{
    const quint32 message = buttonMessage(number, isDown);
    // A wheel step is one message, on the press.
    if ((message == HookMessage::kWheel || message == HookMessage::kHorizontalWheel) && !isDown)
        return;
    // Raw events carry no position: the pointer's position on the root window now.
    Freed<xcb_query_pointer_reply_t> pointer{
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr)};
    MouseHookRecord record;
    if (pointer) {
        record.x = pointer->root_x;
        record.y = pointer->root_y;
    }
    mouseHookProcedure(0, message, record);
}
