#pragma once

#include "publish/OutputFolder.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

// Work of a publish that can be shared out among a few threads: files that do not depend on one another.
namespace CorvPublishThreads {

// The threads a publish shares work among, its own among them: at most three, so that a publish leaves
// the rest of the machine free.
inline int Count() { return int(std::clamp(std::thread::hardware_concurrency(), 1u, 3u)); }

// Calls work(index, slot) for every index below count, each once, in rising order on each thread; slot
// (below Count()) names the thread, so that the caller can keep a state for each. With fewer than
// sharedFrom indices, or when no other thread can be started, this thread does it all (slot 0). While
// this thread holds a FolderCheckScope, every other thread holds one of its own.
template <class Work>
void ForEach(std::size_t count, std::size_t sharedFrom, Work &&work)
{
    std::atomic<std::size_t> next{0};
    const auto run = [&](int slot) {
        for (std::size_t i = next++; i < count; i = next++)
            work(i, slot);
    };
    std::vector<std::thread> helpers;
    const bool folderChecks = CorvOutputFolder::FolderCheckScope::Active();
    if (count >= sharedFrom && count > 1) {
        for (int slot = 1; slot < Count(); ++slot) {
            try {
                helpers.emplace_back([&run, slot, folderChecks] {
                    std::optional<CorvOutputFolder::FolderCheckScope> scope;
                    if (folderChecks)
                        scope.emplace();
                    run(slot);
                });
            } catch (const std::system_error &) {
                break; // fewer helpers: the others do their share
            }
        }
    }
    run(0);
    for (std::thread &helper : helpers)
        helper.join();
}

} // namespace CorvPublishThreads
