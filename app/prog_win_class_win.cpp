#include "app/prog_win_class.h"

#include "platform/op_sys.h"
#include "platform/version_word.h"

namespace {
constexpr uint32_t kMainMenu = 1000;
constexpr uint32_t kProgramIcon = 100;
constexpr uint32_t kCmdExit = 111;
}  // namespace

ProgWinClass::ProgWinClass(int32_t showMode, const char16_t *title)
    : cViewPortTop(showMode, title) {
    SetIconId(kProgramIcon);
    LoadMenuResource(kMainMenu, nullptr, 0, nullptr, 0);
}

ProgWinClass::~ProgWinClass() = default;

tStatus ProgWinClass::Open() {
    tStatus status = cViewPortTop::Open();
    auto *opSys = static_cast<cOpSysVirtual *>(gOpSys);
    opSys->OpenDebugLog(u"PelmoraLog", u"txt", gProgramStatus.IsDebugMode() ? 10 : 3);
    opSys->LoadAccelerators(u"M_PELMORA");
    return status;
}

tStatus ProgWinClass::OnCommand(sWinMessage &record) {
    tStatus taken = cViewPortTop::OnCommand(record);
    if (taken >= 0) return taken;
    switch (record.key & 0xFFFF & ~0x4000u) {
        case kCmdExit:
            return gOpSys->CloseMainWindow();
        default:
            return RC_FAIL;
    }
}
