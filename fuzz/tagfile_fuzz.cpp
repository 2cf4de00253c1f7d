// Fuzzes the tag file reader.  Any bytes either parse or stop with the
// reader's LauncherException; whatever parses is written out and must read
// back as the same tags, values and order.
//
// The first input byte chooses the region: below 0x80 the rest of the input
// is parsed whole, otherwise its low four bits are the offset and the next
// three bits the length in units of 8 bytes (as when a tag file is parsed in
// place from the launcher file).
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "launcher/launcher_exception.h"
#include "tagfile/tag_file.h"

namespace {

const std::string& scratchFile() {
    static const std::string path = [] {
        const char* directory = std::getenv("TMPDIR");
        return std::string(directory != nullptr && *directory != '\0' ? directory : "/tmp") +
               "/tagfile_fuzz." + std::to_string(getpid()) + ".tag";
    }();
    return path;
}

bool sameTags(const TagFile& a, const TagFile& b) {
    return std::equal(a.tags().begin(), a.tags().end(), b.tags().begin(), b.tags().end(),
                      [](const TagFile::TagEntry& x, const TagFile::TagEntry& y) {
                          return x.name == y.name && x.values == y.values;
                      });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const uint8_t control = data[0];
    const long offset = (control & 0x80) != 0 ? control & 0x0F : 0;
    const long length = (control & 0x80) != 0 ? ((control >> 4) & 0x07) * 8 : -1;
    std::FILE* stream = fmemopen(const_cast<uint8_t*>(data + 1), size - 1, "rb");
    if (stream == nullptr) {
        return 0;
    }
    TagFile tags;
    try {
        tags.parse(stream, "fuzz.tag", offset, length);
    } catch (const LauncherException&) {
        std::fclose(stream);
        return 0;
    }
    std::fclose(stream);
    for (const TagFile::TagEntry& entry : tags.tags()) {
        tags.getBool(entry.name, tags.count(entry.name) > 1);
    }

    tags.write(scratchFile());
    const TagFile again(scratchFile());  // a reader error here is a finding too
    std::remove(scratchFile().c_str());
    if (!sameTags(tags, again)) {
        std::fprintf(stderr, "the written file reads back different tags\n");
        std::abort();
    }
    return 0;
}
