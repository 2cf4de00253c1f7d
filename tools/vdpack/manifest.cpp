#include "vdpack/build_request.h"

#include "base/launcher_exception.h"
#include "base/path_text.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"
#include "vdpack/decimal.h"
#include "vdpack/file_type_names.h"

namespace {

// The value of NAME or COMPRESSED that keeps the default.
const char* const kDefault = "-";

bool isAbsolute(const std::string& path) {
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
           (path.size() >= 2 && path[1] == ':');
}

class Manifest {
public:
    explicit Manifest(const std::string& path) : path_(path), tags_(load(path)) {
        directory_ = directoryPart(path);
        for (const TagFile::TagEntry& tag : tags_.tags()) {
            if (!isKnown(tag.name)) {
                throw PackError(where() + "unknown tag '" + tag.name + "'");
            }
        }
    }

    void apply(BuildRequest& request) const {
        if (tags_.count("STUB") > 0) {
            request.plan.stub = resolve(tags_.getValue("STUB"));
        }
        if (tags_.count("KIND") > 0) {
            request.plan.launcherKind = decimalValue(tags_.getValue("KIND"), where() + "KIND");
        }
        if (tags_.count("OUTPUT") > 0) {
            request.output = resolve(tags_.getValue("OUTPUT"));
        }
        const int files = tags_.count("FILE");
        requireValues("TYPE", files, false);
        requireValues("ID", files, false);
        requireValues("NAME", files, true);
        requireValues("COMPRESSED", files, true);
        for (int i = 0; i < files; ++i) {
            request.plan.entries.push_back(entry(i));
        }
    }

private:
    static TagFile load(const std::string& path) {
        try {
            return TagFile(path);
        } catch (const LauncherException& e) {
            throw PackError("cannot read the manifest: " + e.text());
        }
    }

    static bool isKnown(const std::string& tag) {
        for (const char* known :
             {"STUB", "KIND", "OUTPUT", "FILE", "TYPE", "ID", "NAME", "COMPRESSED"}) {
            if (tag == known) {
                return true;
            }
        }
        return false;
    }

    std::string where() const { return "manifest '" + path_ + "': "; }

    std::string resolve(const std::string& path) const {
        return isAbsolute(path) ? path : joinPath(directory_, path);
    }

    // One value per FILE value; optional tags may also be absent.
    void requireValues(const std::string& tag, int files, bool optional) const {
        const int values = tags_.count(tag);
        if (values != files && !(optional && values == 0)) {
            throw PackError(where() + toDecimal(files) + " FILE values but " + toDecimal(values) +
                            " " + tag + " values");
        }
    }

    PackEntry entry(int i) const {
        PackEntry entry;
        entry.path = resolve(tags_.getValue("FILE", i));
        entry.fileType = fileTypeValue(tags_.getValue("TYPE", i));
        entry.fileId = decimalValue(tags_.getValue("ID", i), where() + "ID");
        const std::string name = tags_.getValue("NAME", i);
        if (name != kDefault) {
            entry.name = name;
        }
        const std::string compressed = tags_.getValue("COMPRESSED", i);
        if (!compressed.empty() && compressed != kDefault) {
            long position = 0;
            const std::string count = nextWord(compressed, position);
            const std::string size = nextWord(compressed, position);
            entry.compressed = true;
            entry.decompressedFileCount = decimalValue(count, where() + "COMPRESSED file count");
            entry.decompressedSize = decimalValue(size, where() + "COMPRESSED size");
        }
        return entry;
    }

    std::string path_;
    TagFile tags_;
    std::string directory_;
};

}  // namespace

void readManifest(const std::string& path, BuildRequest& request) {
    Manifest(path).apply(request);
}
