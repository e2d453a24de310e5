#include "document/undo_list.h"

cPObjBase::cPointUndo *gPointUndo = nullptr;

void cPObjBase::cPointUndo::RecordMove(cPObjPoint *obj) {
    if (obj) records.push_back(sRecord{kMove, obj, obj->x, obj->y, nullptr});
}

void cPObjBase::cPointUndo::RecordDelete(cPObjPoint *obj) {
    if (obj) records.push_back(sRecord{kDelete, obj, obj->x, obj->y, std::unique_ptr<cPObjPoint>(obj)});
}
