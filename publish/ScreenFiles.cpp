#include "publish/ScreenFiles.h"

#include "model/CorvPage.h"
#include "publish/PublishContext.h"
#include "publish/PublishThreads.h"
#include "publish/ScreenScriptWriter.h"

#include <memory>
#include <mutex>
#include <vector>

namespace {

// Below this many screens that stand alone, one thread writes them all.
constexpr std::size_t kSharedFrom = 32;

} // namespace

bool CScreenFiles::Write()
{
    const std::vector<CCorvPage *> screens = CScreenScriptWriter::ScreensWithFiles(m_context.GetCourseTree());
    // Screens whose components read more than the course (media, templates) are written on this thread;
    // the others may be shared out among a few threads, each with a writer of its own.
    std::vector<std::size_t> own;
    std::vector<std::size_t> shared;
    for (std::size_t i = 0; i < screens.size(); ++i)
        (CScreenScriptWriter::StandsAlone(*screens[i]) ? shared : own).push_back(i);

    std::vector<std::unique_ptr<CScreenScriptWriter>> writers;
    for (int slot = 0; slot < CorvPublishThreads::Count(); ++slot)
        writers.push_back(std::make_unique<CScreenScriptWriter>(m_context));
    // The failure latest in the walk's order names the step's error, as when one writer walks them all.
    std::mutex mutex;
    bool failed = false;
    std::size_t latest = 0;
    QString errorText;
    const auto write = [&](std::size_t index, CScreenScriptWriter &writer) {
        if (writer.WriteScreenFile(screens[index]))
            return;
        const std::lock_guard lock(mutex);
        if (!failed || index > latest) {
            latest = index;
            errorText = writer.GetFileErrorText();
        }
        failed = true;
    };
    for (const std::size_t index : own)
        write(index, *writers[0]);
    CorvPublishThreads::ForEach(shared.size(), kSharedFrom,
                                [&](std::size_t k, int slot) { write(shared[k], *writers[std::size_t(slot)]); });

    bool missingPieces = false;
    for (const auto &writer : writers)
        missingPieces = missingPieces || writer->HasMissingPieces();
    if (!failed && !missingPieces)
        return true;
    m_context.AddError(errorText);
    return false;
}
