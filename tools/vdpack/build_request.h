#pragma once
#include <string>
#include <vector>

#include "vdpack/payload_writer.h"

// What "vdpack build" is asked to do.
struct BuildRequest {
    PackPlan plan;
    std::string output;
};

// Reads the options of "vdpack build" (the words after "build"), manifests
// included, in order: later values replace earlier ones, entries add up.
// Throws PackError.
BuildRequest parseBuildOptions(const std::vector<std::string>& options);

// Adds what a manifest (a tag file) gives to the request.  Relative paths in
// it are taken from the manifest's directory.  Throws PackError.
void readManifest(const std::string& path, BuildRequest& request);
