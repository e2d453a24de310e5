// Stand-ins for the document's file operations, so that the document links
// until the binary score file is written here.
#include "document/document_root.h"

tStatus PointWindowObject::CheckHeader(const uint8_t *, uint32_t) { return kFailed; }
tStatus PointWindowObject::VersionAlert() { return 0; }
tStatus PointWindowObject::ReadHeader(cBinaryFileBase *) { return kFailed; }
tStatus PointWindowObject::LoadFile(const char16_t *) { return kFailed; }
void PointWindowObject::SetFileName(const char16_t *path) { fileName = path ? path : u"NoName"; }
uint16_t PointWindowObject::DataSize() { return cPObjGroup::DataSize(); }
tStatus PointWindowObject::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    return cPObjGroup::LoadBinary(file, size);
}
int32_t PointWindowObject::FreeClassData() { return cPObjGroup::FreeClassData(); }
