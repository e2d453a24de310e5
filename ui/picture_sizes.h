// The size of every picture among the program's resources (resources/art.rc),
// made with the pictures (scripts/make_art.py).  The native build, which
// loads no resources, answers bitmaps from it; a window test holds it
// against the pictures the resources hold.
#pragma once

#include <cstdint>
#include <span>

struct sPictureSize {
    const char16_t *name;  // the resource name as art.rc spells it
    int32_t width;
    int32_t height;
};

// Every picture, in the order of art.rc.
std::span<const sPictureSize> ProgramPictures();
// The place in ProgramPictures of a resource name, ignoring case as the
// system's resource names do; -1 for any other name and for null.
int32_t FindProgramPicture(const char16_t *name);
