// harkwell-inspect id, normalise and trackid: the track identity from the command line.
#pragma once

namespace harkwell_inspect {

// For each file, its identity as JSON Lines; 0 when every file has an ID, 1 otherwise.
int InspectIds(int fileCount, char** files);
// Each raw line of stdin (split at 0x0A), normalised, on its own line.
int NormaliseLines();
// Lines "artist<TAB>title<TAB>album<TAB>genre" of stdin: the 16-hex-digit ID or
// "rejected:<list>" for each.
int TrackIdLines();

}  // namespace harkwell_inspect
