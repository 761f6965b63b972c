// Process-wide set-up and tear-down of the audio decoder library, once per process.
#pragma once

namespace brek {

// Silences the decoder library's console logging: the engine reports only in its activity log.
void EnterDecoderLibrary();
void ExitDecoderLibrary();

}  // namespace brek
