#include "audio/decoder_library.h"

extern "C" {
#include <libavutil/log.h>
}

namespace brek {

void EnterDecoderLibrary() { av_log_set_level(AV_LOG_QUIET); }

void ExitDecoderLibrary() {}

}  // namespace brek
