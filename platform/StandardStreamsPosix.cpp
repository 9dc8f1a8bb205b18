#include "platform/StandardOutput.h"

namespace tovarin {

// The streams of a POSIX system are byte streams already.
void setUpStandardStreams() {}

} // namespace tovarin
