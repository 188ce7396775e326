// render in a build without an audio file library.
#include "host/plughost/CommandLine.h"
#include "host/plughost/Commands.h"

namespace plughost {

int renderCommand(const Arguments&) {
    reportError("render is not part of this build: it was made without libsndfile");
    return exitFailure;
}

} // namespace plughost
