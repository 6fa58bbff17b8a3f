#include "ui/model/frame_sizes.h"

namespace kalendo {

FrameSize FrameSizes::For(int sizeMode, int viewMode) const {
    return size[sizeMode == 1 ? 1 : 0][viewMode == 1 ? 1 : 0];
}

FrameSize FrameSizeFor(int sizeMode, int viewMode) { return kLayoutFrameSizes.For(sizeMode, viewMode); }

}  // namespace kalendo
