// The view's slots over the key matrix and the combination keys of the current profile.

#include "hid_thread.h"
#include "keymatrix.h"
#include "myqquickview.h"
#include "settingsstores.h"

namespace {
// The stored pair of a matrix position, in the group of the layout.
QString keydefineKey(quint8 layout, const QString &position)
{
    return QStringLiteral("keydefine%1/%2").arg(layout).arg(position);
}
} // namespace

QVariantList myQQuickView::getKeydefine(const QVariant &matrixId)
{
    const QSettings *profile = currentProfile();
    if (!profile)
        return {};
    return listValue(profile->value(keydefineKey(kbLayoutType, matrixId.toString())));
}

void myQQuickView::ui_0C0DH_SetKeyMatrix(const QVariantList &src256)
{
    if (QSettings *profile = currentProfile()) {
        for (int k = 0; k < keymatrix::kPositions; ++k)
            profile->setValue(keydefineKey(kbLayoutType, QString::number(k)),
                              QVariantList{src256.value(2 * k, 0), src256.value(2 * k + 1, 0)});
        profile->sync();
    }
    const keymatrix::Table block = keymatrix::fromList(src256);
    if (link) {
        link->hid_0CH_SetKeyMatrix_1(block.data());
        link->hid_0DH_SetKeyMatrix_2(block.data() + keymatrix::kHalfBytes);
    }
}

QVariantList myQQuickView::ui_8C8DH_GetKeyMatrix()
{
    keymatrix::Table block{};
    if (link) {
        link->hid_8CH_GetKeyMatrix_1(block.data());
        link->hid_8DH_GetKeyMatrix_2(block.data() + keymatrix::kHalfBytes);
    }
    QVariantList bytes;
    for (uchar b : block)
        bytes.append(int(b));
    return bytes;
}

void myQQuickView::getComboKey(bool isRecovery)
{
    if (isRecovery)
        comboKeys.clear();
    else if (const QSettings *profile = currentProfile())
        comboKeys.loadFrom(*profile);
}

QVariant myQQuickView::getCurrentKeyMatrix(uchar currentKey)
{
    return comboKeys.codes(currentKey);
}

void myQQuickView::ui_AAAAH_SetComboKeyMatrix(uchar keyID, uchar combokeycode0, uchar combokeycode1, bool isSave)
{
    if (!isSave) {
        comboKeys.set(keyID, combokeycode0, combokeycode1);
        return;
    }
    if (QSettings *profile = currentProfile())
        comboKeys.storeIn(*profile);
    if (link) {
        link->hid_1CH_SetKeyMatrix_1(comboKeys.bytes().data());
        link->hid_1DH_SetKeyMatrix_2(comboKeys.bytes().data() + keymatrix::kHalfBytes);
    }
}
