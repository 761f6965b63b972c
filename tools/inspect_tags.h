// harkwell-inspect tags: what the tag readers see, as JSON Lines.
#pragma once

namespace harkwell_inspect {

// One JSON object per file on stdout; 0 when every file was read, 1 otherwise.
int InspectTags(int fileCount, char** files);

}  // namespace harkwell_inspect
