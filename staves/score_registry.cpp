#include "staves/score_registry.h"

#include "notation/symbol_catalogue.h"
#include "staves/score_object.h"
#include "staves/staff.h"

namespace {

template <class T>
cPObjPoint *Make() {
    return new T;
}

}  // namespace

void RegisterStaffClasses() {
    SetSymbolMaker(cStaffBase::kClassId, Make<cStaffBase>);
    SetSymbolMaker(cMObjBrace::kClassId, Make<cMObjBrace>);
    SetSymbolMaker(StaffObject::kClassId, Make<StaffObject>);
    SetSymbolMaker(ScoreObject::kClassId, Make<ScoreObject>);
}

void CreateScoreRegistry() {
    RegisterStaffClasses();
    CreateSymbolRegistry();
}
