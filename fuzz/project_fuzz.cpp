// The project file on untrusted bytes. Opening must end with a document, whole or partly read; saving what
// was read and opening that again must read it whole, and saving once more must give the same bytes.
//
//     build-fuzz/bin/project_fuzz -max_total_time=900 corpus fuzz/corpus/project
//
// The project lies in a folder that does not exist, so no media or rich-text file on disk is ever found,
// copied or written.
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "model/CorvPage.h"
#include "platform/Archive.h"
#include "platform/RecordingPrompt.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QString kPath = QStringLiteral("/nonexistent-corvessa-fuzz/Course.kvx");

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void Open(CCorvessaDoc &doc, const QByteArray &bytes)
{
    CArchive ar(bytes);
    ar.SetFilePath(kPath);
    CProjectFile::Serialize(doc, ar);
}

QByteArray Save(CCorvessaDoc &doc, const CCorvContext &context)
{
    CArchive ar;
    ar.SetFilePath(kPath);
    ar.SetContext(&context);
    CProjectFile::Serialize(doc, ar);
    return ar.GetBuffer();
}

bool ToldReadInPart(const CRecordingPrompt &prompts)
{
    for (const auto &entry : prompts.Entries())
        if (entry.text.contains(QStringLiteral("could be read only in part")))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CRecordingPrompt prompts;
    CCorvContext context;
    context.prompt = &prompts;
    const auto clock = [] { return int64_t(1700000000); };

    CCorvessaDoc first(context, clock);
    first.OnNewDocument();
    Open(first, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray saved = Save(first, context);

    prompts.Clear();
    CCorvessaDoc second(context, clock);
    second.OnNewDocument();
    Open(second, saved);
    Check(!ToldReadInPart(prompts));
    Check(second.MainScreens().size() == first.MainScreens().size());
    Check(second.PopupScreens().size() == first.PopupScreens().size());
    Check(second.GlossaryScreens().size() == first.GlossaryScreens().size());
    Check(Save(second, context) == saved);
    return 0;
}
