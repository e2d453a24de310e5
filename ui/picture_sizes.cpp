#include "ui/picture_sizes.h"

#include "ui/device_math.h"

namespace {

#include "resources/art_sizes.inc"

}  // namespace

std::span<const sPictureSize> ProgramPictures() { return kTablePictures; }

int32_t FindProgramPicture(const char16_t *name) {
    if (!name) return -1;
    for (size_t i = 0; i < std::size(kTablePictures); i++) {
        if (EqualsIgnoringCase(kTablePictures[i].name, name)) return static_cast<int32_t>(i);
    }
    return -1;
}
