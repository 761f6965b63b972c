// harkwell-inspect fingerprint: the events of each file as the engine computes them.
#pragma once

namespace harkwell_inspect {

// One JSON object per file on stdout; 0 when every file was analysed, 1 otherwise.
int InspectFingerprints(int fileCount, char** files);

}  // namespace harkwell_inspect
