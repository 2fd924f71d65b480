// The slide-XML reader on untrusted bytes: elements in any order and nesting must never reach a record that
// does not exist, and every page it hands over holds its objects and fragments.
#include "import/PPTXML2KVPage.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto document = PPTXML2KVPage::ReadMemory(bytes);
    if (!document)
        return 0;
    if (!*document)
        std::abort();
    for (const auto &page : (*document)->pages) {
        if (!page)
            std::abort();
        for (const auto &object : page->objects) {
            if (!object)
                std::abort();
            for (const auto &fragment : object->fragments) {
                if (!fragment)
                    std::abort();
            }
        }
    }
    return 0;
}
