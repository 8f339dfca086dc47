// The view's slots over the keyboard's simple settings, and the synchronisation with the
// keyboard after each discovery pass. A read that fails leaves 0 in its output.

#include "definitiontables.h"
#include "firmwareversion.h"
#include "hid_thread.h"
#include "myqquickview.h"
#include "settingsstores.h"

namespace {
// The device family whose profile keeps a report rate.
constexpr quint32 kReportRateDevice = 1;
} // namespace

void myQQuickView::ui_01H_SetReportRate(uchar rate)
{
    if (!link || link->deviceId() != kReportRateDevice)
        return;
    if (QSettings *profile = currentProfile())
        storeNow(*profile, QStringLiteral("sensor/reportRate_T6"), int(rate));
}

void myQQuickView::ui_02H_SetKeyboardMode(uchar mode)
{
    if (!link)
        return;
    // The mode is the first of three option bytes: the other two are sent back unchanged.
    uchar b1 = 0, b2 = 0, b3 = 0;
    link->hid_82H_GetKeyboardoption(b1, b2, b3);
    link->hid_02H_SetKeyboardoption(mode, b2, b3);
}

void myQQuickView::ui_04H_SetButtonSensitivity(uchar sens1)
{
    if (link)
        link->hid_04H_SetButtonSensitivity(sens1);
}

void myQQuickView::ui_13H_SetRecoveryData()
{
    if (link)
        link->hid_13H_SetRecoveryData();
}

void myQQuickView::ui_21H_SetCurrentProfile(int profile)
{
    curProfile = quint8(profile & 0xFF);
    if (link)
        link->hid_21H_SetCurrentProfile(uchar(profile & 0xFF));
}

QString myQQuickView::ui_80H_GetFWVersion()
{
    ushort version = 0;
    uchar mode = 0;
    if (link)
        link->hid_80H_GetFWVersion(version, mode);
    return firmwareVersionText(version);
}

QVariant myQQuickView::ui_80H_GetHWMode()
{
    return int(kbLayoutType);
}

QVariant myQQuickView::ui_81H_GetReportRate()
{
    return 0;
}

QVariant myQQuickView::ui_82H_GetKeyboardMode()
{
    uchar b1 = 0, b2 = 0, b3 = 0;
    if (link)
        link->hid_82H_GetKeyboardoption(b1, b2, b3);
    return int(b1);
}

QVariant myQQuickView::ui_84H_GetButtonSensitivity()
{
    uchar sens1 = 0;
    if (link)
        link->hid_84H_GetButtonSensitivity(sens1);
    return int(sens1);
}

QVariant myQQuickView::ui_A1H_GetCurrentProfile()
{
    return int(curProfile);
}

void myQQuickView::syncFW()
{
    ushort version = 0;
    uchar profile = 0;
    if (link) {
        link->hid_80H_GetFWVersion(version, kbLayoutType);
        link->hid_A1H_GetCurrentProfile(profile);
    }
    // Profile keys are always those of layout 0 once the firmware has been asked.
    kbLayoutType = 0;
    // Every store access indexes the slots with it: an answer naming no slot is ignored.
    if (profile < maxProfile)
        curProfile = profile;
    keyCodeMap = definitions::buildKeyCodeMap(loadUsbStr(), loadUsbCode());
}
