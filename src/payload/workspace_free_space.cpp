#include "payload/workspace_free_space.h"

#include "base/launcher_exception.h"
#include "base/messages.h"
#include "payload/workspace.h"
#include "platform/file_system.h"
#include "platform/system.h"

uint64_t clustersNeeded(int32_t bytes, int32_t extra, uint64_t clusterSize) {
    const uint64_t count = static_cast<uint32_t>(bytes);
    uint64_t clusters = count / clusterSize;
    if (extra == 1) {
        clusters += count % clusterSize != 0 ? 1 : 0;
    } else if (extra > 1) {
        clusters += static_cast<uint64_t>(extra);
    }
    return clusters;
}

bool enoughFreeSpace(const std::string& directory, int32_t bytes, int32_t extraClusters) {
    platform::DiskSpace space;
    if (!platform::diskFreeSpace(platform::freeSpaceRoot(directory), space)) {
        throw LauncherException("GetDiskFreeSpace failed  ==>  " +
                                systemErrorText(platform::lastErrorCode()));
    }
    uint64_t clusterSize = space.bytesPerSector * space.sectorsPerCluster;
    if (clusterSize == 0) {
        clusterSize = 1;  // a file system that reports no cluster size
    }
    // Byte counts in double precision, which no disk overflows.
    const double available = static_cast<double>(clusterSize) * space.freeClusters;
    const double needed =
        static_cast<double>(clustersNeeded(bytes, extraClusters, clusterSize)) * clusterSize;
    return available >= needed;
}
