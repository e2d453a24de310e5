// Replacing a file the user keeps without ever losing it: the new content is
// written into a new file beside the target, which takes the target's place
// only once every write, the flush and the close have succeeded.  A save that
// fails midway (a disk that fills, a target another program holds open)
// leaves the previous file byte for byte and no temporary file behind.
//
// The writer opens GetPath() itself, writes, flushes and closes it, then calls
// Commit; after any failure it calls Abandon (the destructor does too).
// cBinaryFile writes every file it opens only for writing this way, so the
// settings, language, MIDI and score files all share this one rule;
// cReplacingFileStream brings it to writers that produce a stream.
#pragma once

#include <cstdint>
#include <string>

class cFileReplacement {
public:
    explicit cFileReplacement(const char16_t *target);
    // Removes a temporary file that was not committed.
    ~cFileReplacement();
    cFileReplacement(const cFileReplacement &) = delete;
    cFileReplacement &operator=(const cFileReplacement &) = delete;

    // Makes a new, empty file beside the target.  False, with the system
    // error kept, when none can be made or the target may not be replaced
    // (it is read-only).  A target that is a device rather than a file has
    // nothing to keep: it is written in place, and Commit moves nothing.
    bool Begin();
    // Where the writer writes: the temporary file (or the device itself);
    // empty before Begin and after Commit or Abandon.
    const std::u16string &GetPath() const { return path; }
    bool IsInPlace() const { return inPlace; }
    // Moves the written file into the target's place.  False when that
    // fails; the temporary file is removed and the target is as it was.
    bool Commit();
    // Removes the temporary file; the target is as it was.
    void Abandon();

    const std::u16string &GetTarget() const { return target; }
    int32_t GetSystemError() const { return systemError; }

private:
    // Platform halves (file_replacement_posix.cpp, file_replacement_win.cpp).
    enum class eCreated { kCreated, kExists, kFailed };
    // Whether the target may be replaced; sets inPlace for a device.
    bool SysCheckTarget();
    // Creates the file exclusively, with the target's permissions when the
    // target exists, and closes it again.
    eCreated SysCreateNew(const std::u16string &candidate);
    bool SysMoveOverTarget();
    void SysRemove();

    std::u16string target;
    std::u16string path;
    bool inPlace = false;
    int32_t systemError = 0;
};
