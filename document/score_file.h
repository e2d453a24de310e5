// The binary score file (score_file.cpp): cPObjBase::WriteFileHeader,
// cPObjPoint::SaveFile and the reading operations of PointWindowObject.
// Files are told apart by name: the text form is a name whose extension,
// from the first dot of the file name on, is exactly "txt"; every other
// name is read as the binary file.
#pragma once

bool IsTextFormPath(const char16_t *path);
