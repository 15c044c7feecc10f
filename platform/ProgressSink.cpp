#include "platform/ProgressSink.h"

namespace lumora {

ProgressSink& nullProgress() {
    static ProgressSink sink;
    return sink;
}

}  // namespace lumora
