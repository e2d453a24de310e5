// The parts of the operating-system object that are the same in both builds.
#include "foundation/char_string.h"
#include "platform/op_sys.h"

// Windows 95, 98 and Me keep the version numbers in the build word's high
// half; only the low half is the build.
const char16_t *cOpSysVirtual::GetOsVersionText() {
    constexpr uint32_t kPlatformWin32Windows = 1;
    cCharString text(u"Windows Ver. ");
    text.AppendUnsigned(osVersion.major);
    text.push_back(u'.');
    text.AppendUnsigned(osVersion.minor);
    text.append(u"(Build ");
    text.AppendUnsigned(osVersion.platformId == kPlatformWin32Windows ? osVersion.build & 0xFFFF : osVersion.build);
    if (!osVersion.servicePack.empty()) {
        text.append(u", ");
        text.append(osVersion.servicePack);
    }
    text.push_back(u')');
    return TempStringOf(text);
}
