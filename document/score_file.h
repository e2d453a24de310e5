// The binary score file (score_file.cpp): cPObjBase::WriteFileHeader,
// cPObjPoint::SaveFile and the reading operations of PointWindowObject.
// Files are told apart by name: the text form is a name whose extension,
// from the first dot of the file name on, is exactly "txt"; every other
// name is read as the binary file.
#pragma once

#include <cstdint>

bool IsTextFormPath(const char16_t *path);

// The answer of a class's LoadClassData when it reads its class data by
// what the data holds rather than by the size the dictionary states (older
// writers stated sizes that were not the bytes they wrote): the dictionary
// reader then goes on where the class stopped reading.  A file of a newer
// program is still read by its stated size.
constexpr int32_t kClassDataReadByContent = 1;
