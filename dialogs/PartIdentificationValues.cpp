#include "dialogs/PartIdentificationValues.h"

#include "platform/StringTable.h"

#include <algorithm>

std::array<CRect, CPartIdentificationValues::kMaxTargets> CPartIdentificationValues::DefaultTargets()
{
    std::array<CRect, kMaxTargets> targets{};
    for (int i = 0; i < kMaxTargets; ++i)
        targets[size_t(i)] = CRect{10 + 40 * i, 10, 40 + 40 * i, 40};
    return targets;
}

int CPartIdentificationValues::ResolvedTargetsToMatch() const
{
    const int count = std::clamp(targetCount, 1, kMaxTargets);
    if (targetsToMatch <= 0)
        return count;
    return std::min(targetsToMatch, count);
}

CDialogCheck CPartIdentificationValues::Check(const std::function<bool(const QString &)> &pictureLoads) const
{
    qsizetype end = imageFile.size();
    while (end > 0 && imageFile.at(end - 1).isSpace())
        --end;
    const QString file = imageFile.left(end);
    if (file.isEmpty())
        return CDialogCheck::Fail(CStringTable::Load(35055));
    if (pictureLoads && !pictureLoads(file))
        return CDialogCheck::Fail(QStringLiteral("The image file\n%1\ncannot be read. Please select another image file.")
                                      .arg(file));
    return {};
}
