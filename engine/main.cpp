// Harkwell Engine: one analysis run of the user's music folder, then quit.
#include "audio/decoder_library.h"
#include "engine/harkwell.h"

int main(int argc, char** argv) {
  int status = 0;
  {
    brek::zomelo::Harkwell engine;
    brek::EnterDecoderLibrary();
    struct DecoderScope {
      ~DecoderScope() { brek::ExitDecoderLibrary(); }
    } decoder;
    status = engine.Run(argc, argv);
  }
  return status;
}
