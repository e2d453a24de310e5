#include "foundation/path_names.h"

namespace {
const char16_t kCurrentFolder[] = u".\\";

std::u16string FileNamePart(const std::u16string &path) {
    int32_t s = FindPathSeparator(path);
    return s < 0 ? path : path.substr(size_t(s) + 1);
}
}  // namespace

int32_t FindPathSeparator(const std::u16string &path) {
    size_t i = path.rfind(u'\\');
    if (i == std::u16string::npos) i = path.find(u':');
    return i == std::u16string::npos ? -1 : int32_t(i);
}

bool HasDirectory(const std::u16string &path) { return FindPathSeparator(path) != -1; }

const char16_t *GetDirectory(const std::u16string &path) {
    int32_t s = FindPathSeparator(path);
    if (s < 0) return kCurrentFolder;
    return TempStringN(path.c_str(), uint32_t(s) + 1);
}

const char16_t *GetFileName(const std::u16string &path) { return TempStringOf(FileNamePart(path)); }

const char16_t *GetNameWithoutExtension(const std::u16string &path) {
    std::u16string name = FileNamePart(path);
    size_t d = name.find(u'.');
    if (d != std::u16string::npos) name.resize(d);
    return TempStringOf(name);
}

const char16_t *GetExtension(const std::u16string &path) {
    std::u16string name = FileNamePart(path);
    size_t d = name.find(u'.');
    if (d == std::u16string::npos) return TempString(u"");
    return TempStringOf(name.substr(d + 1));
}

tStatus HasExtension(const std::u16string &path, const char16_t *extension) {
    return std::u16string(GetExtension(path)) == (extension ? extension : u"") ? RC_OK : RC_FAIL;
}

const char16_t *GetPathPrefix(const char16_t *text) {
    std::u16string s = text ? text : u"";
    int32_t sep = FindPathSeparator(s);
    if (sep < 0) return TempString(u"");
    s.resize(size_t(sep) + 1);
    return TempStringOf(s);
}

const char16_t *StripPathPrefix(const char16_t *text) {
    uint32_t n = TextLength(GetPathPrefix(text));
    if (n == 0) return text;
    return TempString(text + n);
}

const char16_t *SetFileName(std::u16string &path, const char16_t *name) {
    int32_t s = FindPathSeparator(path);
    if (s < 0)
        path = name ? name : u"";
    else {
        path.resize(size_t(s) + 1);
        if (name) path += name;
    }
    return TempStringOf(path);
}

const char16_t *SetExtension(std::u16string &path, const char16_t *extension) {
    int32_t s = FindPathSeparator(path);
    size_t d = path.find(u'.', s < 0 ? 0 : size_t(s));
    if (d != std::u16string::npos) path.resize(d);
    if (extension) {
        path += u'.';
        path += extension;
    }
    return TempStringOf(path);
}

const char16_t *SetDirectory(std::u16string &path, const char16_t *folder) {
    if (HasDirectory(path)) path = GetFileName(path);
    if (folder) {
        std::u16string f = folder;
        // An empty folder leaves the file name as it is.
        if (!f.empty() && f.back() != u'\\') path.insert(path.begin(), u'\\');
        path.insert(0, f);
    }
    return TempStringOf(path);
}
