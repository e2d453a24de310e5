#include "notation/staff_services.h"

cStaffServices *StaffServicesOf(const cPObjBase *symbol) {
    constexpr int16_t kStaffClassId = 184;
    // The staff classes derive from the services beside the symbol chain.
    return symbol ? dynamic_cast<cStaffServices *>(symbol->FindOwner(kStaffClassId, 0)) : nullptr;
}
