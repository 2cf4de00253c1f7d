#include "payload/file_walker.h"

#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/path_text.h"
#include "platform/file_system.h"
#include "platform/system.h"

namespace {

constexpr int kFilesPerProgressStep = 100;

}  // namespace

bool FileWalker::cancelled() const {
    return cancellable_ && cancelRequested();
}

bool FileWalker::skipDirectory(const std::string&) {
    return false;
}

bool FileWalker::walk(const std::string& start) {
    visited_.clear();
    pending_.assign(1, start);
    bool stop = false;
    long filesVisited = 0;
    std::string path;
    while (!pending_.empty() && !stop && !cancelled()) {
        visited_.push_back(std::move(pending_.back()));
        pending_.pop_back();
        const std::string directory = ensureTrailingSeparator(visited_.back());
        if (skipDirectory(directory)) {
            continue;
        }
        platform::DirectoryListing listing(directory);
        if (!listing.started()) {
            continue;
        }
        while (!stop && !cancelled() && listing.next()) {
            path.assign(directory).append(listing.name());
            if (listing.isDirectory()) {
                pending_.push_back(path);
                continue;
            }
            stop = visitFile(path);
            if (++filesVisited % kFilesPerProgressStep == 0) {
                advanceProgress(1);
            }
        }
        if (listing.error() != 0) {
            throw LauncherException(platform::systemErrorText(listing.error()));
        }
    }
    return stop;
}
