#include "vdpack/build_request.h"

#include "vdpack/decimal.h"
#include "vdpack/file_type_names.h"

namespace {

// An entry while its options are read: type and id must be given.
struct PendingEntry {
    PackEntry entry;
    bool hasType = false;
    bool hasId = false;
};

void checkComplete(const PendingEntry& pending) {
    const std::string file = "'" + pending.entry.path + "'";
    if (!pending.hasType) {
        throw PackError("--file " + file + " has no --type");
    }
    if (!pending.hasId) {
        throw PackError("--file " + file + " has no --id");
    }
}

class OptionReader {
public:
    explicit OptionReader(const std::vector<std::string>& options) : options_(options) {}

    bool done() const { return next_ >= options_.size(); }
    const std::string& option() { return options_[next_++]; }
    // The value after `option`.
    const std::string& value(const std::string& option) {
        if (done()) {
            throw PackError(option + " needs a value");
        }
        return options_[next_++];
    }

private:
    const std::vector<std::string>& options_;
    size_t next_ = 0;
};

}  // namespace

BuildRequest parseBuildOptions(const std::vector<std::string>& options) {
    BuildRequest request;
    std::vector<PendingEntry> entries;
    auto current = [&](const std::string& option) -> PendingEntry& {
        if (entries.empty()) {
            throw PackError(option + " must follow the --file it belongs to");
        }
        return entries.back();
    };
    // Entries keep the order of the command line, manifests included.
    auto flush = [&] {
        for (const PendingEntry& pending : entries) {
            checkComplete(pending);
            request.plan.entries.push_back(pending.entry);
        }
        entries.clear();
    };
    OptionReader reader(options);
    while (!reader.done()) {
        const std::string& option = reader.option();
        if (option == "--stub") {
            request.plan.stub = reader.value(option);
        } else if (option == "--kind") {
            request.plan.launcherKind = decimalValue(reader.value(option), "the launcher kind");
        } else if (option == "--output" || option == "-o") {
            request.output = reader.value(option);
        } else if (option == "--manifest") {
            const std::string& manifest = reader.value(option);
            flush();
            readManifest(manifest, request);
        } else if (option == "--file") {
            entries.emplace_back();
            entries.back().entry.path = reader.value(option);
        } else if (option == "--type") {
            PendingEntry& pending = current(option);
            pending.entry.fileType = fileTypeValue(reader.value(option));
            pending.hasType = true;
        } else if (option == "--id") {
            PendingEntry& pending = current(option);
            pending.entry.fileId = decimalValue(reader.value(option), "the file id");
            pending.hasId = true;
        } else if (option == "--name") {
            current(option).entry.name = reader.value(option);
        } else if (option == "--compressed") {
            PackEntry& entry = current(option).entry;
            entry.compressed = true;
            entry.decompressedFileCount =
                decimalValue(reader.value(option), "the decompressed file count");
            entry.decompressedSize = decimalValue(reader.value(option), "the decompressed size");
        } else {
            throw PackError("unknown option '" + option + "' (see vdpack --help)");
        }
    }
    flush();
    if (request.plan.stub.empty()) {
        throw PackError("no stub: give --stub or STUB in a manifest");
    }
    if (request.output.empty()) {
        throw PackError("no output: give --output or OUTPUT in a manifest");
    }
    return request;
}
