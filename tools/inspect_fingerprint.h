// harkwell-inspect fingerprint: the events of each file as the engine computes them.
#pragma once

namespace harkwell_inspect {

// One JSON object per file on stdout; 0 when every file was analysed, 1 otherwise.
int InspectFingerprints(int fileCount, char** files);

// The HWS record of `file` exactly as the engine would upload it, written to `out` (nothing is
// sent). 0, or 1 with the reason on stderr when the engine would not upload one.
int WriteRecordFile(const char* file, const char* out);

}  // namespace harkwell_inspect
