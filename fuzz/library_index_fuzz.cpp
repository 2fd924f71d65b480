// The graphics library's index on untrusted bytes: whatever images.xml holds, reading it and searching it
// with the fallbacks must end, and a picture handed out must be one the index names.
#include "import/GraphicsLibrary.h"
#include "platform/RandomSource.h"
#include "platform/XmlDom.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto doc = CorvXmlDom::ParseMemory(bytes, "images.xml");
    if (!doc)
        return 0;
    CSeededRandom random(1);
    CGraphicsLibrary library(&random);
    QStringList used;
    library.Attach(doc.get(), {QStringLiteral("the")}, &used);
    library.SetUseColourPhotos(1);
    library.SetUseVectors(1);
    library.SetUseCategoryPriorities(1);
    library.SetCategories({QStringLiteral("Na'ture\"")}, {QStringLiteral("Nature")});
    for (const char *text : {"the cat and the dog", "", "x"}) {
        QString file, reason;
        if (library.FindImageForText(QString::fromLatin1(text), file, reason) == 1 && file.isEmpty())
            std::abort();
    }
    return 0;
}
