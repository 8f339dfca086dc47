#include "inputsource.h"

#include "evdevinputsource.h"
#include "x11inputsource.h"

namespace {
std::unique_ptr<InputSource> startFirst(InputKind kind)
{
    if (auto evdev = EvdevInputSource::open(kind))
        return evdev;
    return X11InputSource::start(kind);
}
} // namespace

InputSourceFactory systemInputSources()
{
    return {[] { return startFirst(InputKind::Keys); }, [] { return startFirst(InputKind::Buttons); }};
}
