#include "lightingblocks.h"

namespace lighting {

std::array<uchar, kColorBlock> colorBlock(const QVariantList &src21)
{
    std::array<uchar, kColorBlock> block{};
    for (int i = 0; i < kColorComponents && i < src21.size(); ++i)
        block[size_t(i)] = uchar(src21[i].toInt() / 4);
    return block;
}

QVariantList colorsFromKeyboard(const uchar *block)
{
    QVariantList colors;
    for (int i = 0; i < kColorComponents; ++i)
        colors.append(int(block[i]) * 4);
    return colors;
}

std::array<std::array<uchar, kPictureBlock>, kPictureBlocks> pictureBlocks(const QVariantList &src)
{
    std::array<std::array<uchar, kPictureBlock>, kPictureBlocks> blocks{};
    for (int k = 0; k < kPictureBlock; ++k) {
        const auto element = [&](int i) { return src.value(4 * k + i).toInt(); };
        blocks[0][size_t(k)] = uchar(element(0));
        for (int c = 1; c < kPictureBlocks; ++c)
            blocks[size_t(c)][size_t(k)] = uchar(element(c) / 4);
    }
    return blocks;
}

QVariantList storedPicture(const QVariantList &stored)
{
    if (stored.size() == kPictureElements)
        return stored;
    return QVariantList(kPictureElements, 0);
}

} // namespace lighting
