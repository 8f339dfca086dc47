#pragma once

#include <QVariantList>

#include <array>

// Lighting values between the scene's form and the keyboard's. The scene's colour
// components are 0 ... 255, the keyboard's 0 ... 63: a quarter on the way out, four times
// on the way back (63 comes back as 252).
namespace lighting {

constexpr int kColorComponents = 21; // seven colours, red, green, blue each
constexpr int kColorBlock = 64;
constexpr int kPictureElements = 512; // attribute, red, green, blue per matrix position
constexpr int kPictureBlock = 128;
constexpr int kPictureBlocks = 4;

// The seven colours for the keyboard: component i at byte i, the rest 0; missing
// components are 0.
std::array<uchar, kColorBlock> colorBlock(const QVariantList &src21);
// The 21 components of the keyboard's block in the scene's scale.
QVariantList colorsFromKeyboard(const uchar *block);

// A picture as the keyboard takes it: block 0 the attributes unchanged, blocks 1 to 3 the
// red, green and blue quarters; missing elements are 0.
std::array<std::array<uchar, kPictureBlock>, kPictureBlocks> pictureBlocks(const QVariantList &src);
// A stored picture; anything but exactly 512 elements reads as 512 zeros.
QVariantList storedPicture(const QVariantList &stored);

} // namespace lighting
