// The view's slots over the lighting of the current profile. The profile is what the
// pages read; the setters store first, then send.

#include "hid_thread.h"
#include "lightingblocks.h"
#include "myqquickview.h"
#include "settingsstores.h"

namespace {
const QString kLedType = QStringLiteral("color/ledType");
const QString kColors = QStringLiteral("color/color");

QString pictureKey(uchar index)
{
    return QStringLiteral("userPicture/%1").arg(index);
}

QVariantList ledTypeList(uchar type, uchar brightness, uchar speed, uchar direction, uchar color, uchar bl0,
                         uchar bl1)
{
    return {int(type), int(brightness), int(speed), int(direction), int(color), int(bl0), int(bl1)};
}

// A stored list of the current profile; empty without one.
QVariantList storedList(const QSettings *profile, const QString &key)
{
    return profile ? listValue(profile->value(key, 0)) : QVariantList{};
}
} // namespace

void myQQuickView::ui_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction,
                                     uchar color, uchar bl0, uchar bl1)
{
    if (QSettings *profile = currentProfile())
        storeNow(*profile, kLedType, ledTypeList(type, brightness, speed, direction, color, bl0, bl1));
    if (link)
        link->hid_08H_SetLEDType(type, brightness, speed, direction, color, bl0, bl1);
}

QVariantList myQQuickView::ui_88H_GetLEDType()
{
    return storedList(currentProfile(), kLedType);
}

void myQQuickView::ui_30H_SetColor(const QVariantList &src21)
{
    const auto block = lighting::colorBlock(src21);
    if (QSettings *profile = currentProfile())
        storeNow(*profile, kColors, src21);
    if (link)
        link->hid_30H_SetSevenColor(block.data());
}

QVariantList myQQuickView::ui_B0H_GetColor()
{
    return storedList(currentProfile(), kColors);
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList &src384)
{
    if (QSettings *profile = currentProfile())
        storeNow(*profile, pictureKey(index), src384);
    // 255: kept in the profile only, for a picture that is not the active effect.
    if (option == 255 || !link)
        return;
    const auto blocks = lighting::pictureBlocks(src384);
    for (int colorIndex = 0; colorIndex < lighting::kPictureBlocks; ++colorIndex)
        link->hid_12H_SetUserPicture(index, uchar(colorIndex), blocks[size_t(colorIndex)].data());
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index)
{
    return lighting::storedPicture(storedList(currentProfile(), pictureKey(index)));
}

void myQQuickView::syncLed()
{
    QSettings *profile = currentProfile();
    if (!link || !profile)
        return;
    uchar type = 0, brightness = 0, speed = 0, direction = 0, color = 0, bl0 = 0, bl1 = 0;
    if (link->hid_88H_GetLEDType(type, brightness, speed, direction, color, bl0, bl1))
        storeNow(*profile, kLedType, ledTypeList(type, brightness, speed, direction, color, bl0, bl1));
    std::array<uchar, lighting::kColorBlock> block{};
    if (link->hid_B0H_GetSevenColor(block.data()))
        storeNow(*profile, kColors, lighting::colorsFromKeyboard(block.data()));
}
