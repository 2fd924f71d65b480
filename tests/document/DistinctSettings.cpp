#include "DistinctSettings.h"

void MakeDistinctive(CCourseSettings &s, int64_t now, const QString &programFolder, bool uniqueFlags)
{
    int n = 0;
    for (const auto &d : CourseSettingTable()) {
        ++n;
        switch (d.kind) {
        case SettingKind::text:
            d.Set(s, d.DisplayName() + "~" + QString::number(n));
            break;
        case SettingKind::textList:
            d.Set(s, QStringList{d.DisplayName(), QString::number(n)});
            break;
        case SettingKind::date:
            d.Set(s, qint64(5000000000LL + n));
            break;
        case SettingKind::colour:
            d.Set(s, uint(0x010203u * uint(n)));
            break;
        case SettingKind::flag:
            if (!uniqueFlags) {
                d.Set(s, d.DefaultValue(now, programFolder).toInt() == 1 ? 0 : 1);
                break;
            }
            [[fallthrough]];
        default:
            d.Set(s, 100 + n);
            break;
        }
    }
}
