#pragma once
#include <cstdint>

// The clusters that `bytes` (taken as unsigned) occupy on a disk with the
// given cluster size: whole clusters, plus one for a remainder when `extra`
// is 1, or plus `extra` whatever the remainder when it is above 1.
uint64_t clustersNeeded(int32_t bytes, int32_t extra, uint64_t clusterSize);
