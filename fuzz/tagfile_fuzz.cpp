// Fuzzes the tag file reader on the fuzzer's bytes in memory, taken as text
// as the loader takes a file's bytes (tagFileText).  Any bytes either parse or stop with the
// reader's LauncherException; whatever parses is written out and must read back as the same tags,
// values and order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/launcher_exception.h"
#include "tagfile/tag_file.h"
#include "tagfile/tag_file_source.h"

namespace {

bool sameTags(const TagFile& a, const TagFile& b) {
    return std::equal(a.tags().begin(), a.tags().end(), b.tags().begin(), b.tags().end(),
                      [](const TagFile::TagEntry& x, const TagFile::TagEntry& y) {
                          return x.name == y.name && x.values == y.values;
                      });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TagFile tags;
    try {
        tags.parse(tagFileText(std::string(reinterpret_cast<const char*>(data), size)), "fuzz.tag");
    } catch (const LauncherException&) {
        return 0;
    }
    for (const TagFile::TagEntry& entry : tags.tags()) {
        tags.getBool(entry.name, tags.count(entry.name) > 1);
    }

    TagFile again;
    again.parse(tags.text(), "written.tag");  // a reader error here is a finding too
    if (!sameTags(tags, again)) {
        std::fprintf(stderr, "the written file reads back different tags\n");
        std::abort();
    }
    return 0;
}
