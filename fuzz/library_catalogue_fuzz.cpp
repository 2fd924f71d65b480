// The content library's catalogue reader on untrusted bytes: reading ends, and a catalogue that was read
// writes out to bytes that read back to the same items.
#include "document/ContentLibrary.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto model = LibraryFromXML::ReadBytes(bytes);
    if (!model)
        return 0;
    const auto again = LibraryFromXML::ReadBytes(model->ToBytes());
    if (!again || again->items.size() != model->items.size())
        std::abort();
    for (std::size_t i = 0; i < model->items.size(); ++i)
        if (again->items[i]->GetItemPath() != model->items[i]->GetItemPath())
            std::abort();
    return 0;
}
