// The international profile reader on untrusted bytes: whatever a profile file holds, reading it ends, and
// a profile that was read writes out to a file that reads back to the same items.
#include "document/InternationalProfileFromXML.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto profile = InternationalProfileFromXML::ReadBytes(bytes);
    if (!profile)
        return 0;
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kv_profile.xml"));
    if (!profile->WriteProfileFile(path))
        std::abort();
    const auto again = InternationalProfileFromXML::ReadFile(path);
    if (!again || again->items.size() != profile->items.size())
        std::abort();
    for (std::size_t i = 0; i < profile->items.size(); ++i)
        if (again->items[i].variable != profile->items[i].variable || again->items[i].files.size() != profile->items[i].files.size())
            std::abort();
    return 0;
}
