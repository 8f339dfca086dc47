// The view's slots over the key matrix and the combination keys of the current profile.

#include "myqquickview.h"
#include "settingsstores.h"

QVariantList myQQuickView::getKeydefine(const QVariant &matrixId)
{
    const QSettings *profile = currentProfile();
    if (!profile)
        return {};
    return listValue(profile->value(QStringLiteral("keydefine%1/%2").arg(kbLayoutType).arg(matrixId.toString())));
}
