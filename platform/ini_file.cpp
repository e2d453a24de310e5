#include "platform/ini_file.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "foundation/binary_file.h"
#include "foundation/char_string.h"
#include "foundation/string_array.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"

namespace {

// The line most recently read; every section consumes its line before the
// next one is read, nested sections included.
std::u16string gIniLineBuffer;

// Units asked for per read while a line is collected.
constexpr uint32_t kLineChunk = 299;

bool IsLineSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Trims spaces, tabs, CR and LF at both ends; a text of nothing else
// becomes empty.
std::u16string Trimmed(const std::u16string &s) {
    size_t b = 0, e = s.size();
    while (b < e && IsLineSpace(s[b])) ++b;
    while (e > b && IsLineSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// The line without its line feed (and a CR before it).
std::u16string WithoutLineEnd(const std::u16string &line) {
    size_t e = line.size();
    if (e && line[e - 1] == u'\n') --e;
    if (e && line[e - 1] == u'\r') --e;
    return line.substr(0, e);
}

void SplitKeyLine(const std::u16string &line, size_t eq, std::u16string &key, std::u16string &value) {
    key = Trimmed(line.substr(0, eq));
    value = Trimmed(WithoutLineEnd(line.substr(eq + 1)));
}

bool EqualNoCase(const char16_t *a, const std::u16string &b) {
    size_t i = 0;
    for (; a[i] && i < b.size(); ++i)
        if (ToAsciiUpper(a[i]) != ToAsciiUpper(b[i])) return false;
    return !a[i] && i == b.size();
}

}  // namespace

cIniFile::cIniFile() = default;

cIniFile::cIniFile(cIniFile *owner) : parent(owner) {
    if (owner) {
        fileName = owner->fileName;
        ansi = owner->ansi;
    }
}

cIniFile::~cIniFile() = default;

std::u16string cIniFile::OneLine(const char16_t *text) {
    std::u16string s = text ? text : u"";
    for (char16_t &c : s)
        if (c == u'\r' || c == u'\n') c = u' ';
    return s;
}

tStatus cIniFile::SetFileName(const char16_t *text) {
    fileName = text ? std::u16string(text) : std::u16string();  // a copy first: text may lie inside
    return RC_OK;
}

void cIniFile::SetTagAndName(std::u16string newTag, std::u16string newName) {
    tSectionKey oldKey = KeyOf(tag, name);
    tag = std::move(newTag);
    name = std::move(newName);
    if (parent) parent->ChildRenamed(this, oldKey);
}

tStatus cIniFile::SetTag(const char16_t *text) {
    SetTagAndName(OneLine(text), name);
    return RC_OK;
}

tStatus cIniFile::SetName(const char16_t *text) {
    SetTagAndName(tag, OneLine(text));
    return RC_OK;
}

// Keys

const char16_t *cIniFile::GetValue(const char16_t *key) const {
    auto it = keys.find(key);
    return it == keys.end() ? nullptr : it->second.c_str();
}

int32_t cIniFile::GetInt(const char16_t *key) const {
    const char16_t *value = GetValue(key);
    return value ? ParseLong(value, 10) : RC_FAIL;
}

tStatus cIniFile::SetValue(const char16_t *key, const char16_t *value) {
    keys[OneLine(key)] = OneLine(value);
    return RC_OK;
}

tStatus cIniFile::SetOrRemove(const char16_t *key, const char16_t *value) {
    if (!value || !*value) {
        RemoveKey(key);
        return RC_OK;
    }
    return SetValue(key, value);
}

tStatus cIniFile::SetInt(const char16_t *key, int32_t value) { return SetValue(key, FormatInt(value).c_str()); }

void cIniFile::RemoveKey(const char16_t *key) { keys.erase(OneLine(key)); }

const char16_t *cIniFile::MakeIndexedKey(const char16_t *base, int32_t index) {
    std::u16string key = base ? base : u"";
    key += u'[';
    key += FormatInt(index);
    key += u']';
    return TempStringOf(key);
}

const char16_t *cIniFile::GetIndexBaseName(const char16_t *key) {
    if (!key) return nullptr;
    std::u16string k = key;
    size_t open = k.find(u'['), close = k.find(u']');
    if (open == std::u16string::npos || close == std::u16string::npos || close != k.size() - 1) return nullptr;
    return TempStringOf(k.substr(0, open));
}

int32_t cIniFile::RemoveIndexedKeys(const char16_t *base) {
    if (!base) return 0;
    int32_t removed = 0;
    for (auto it = keys.begin(); it != keys.end();) {
        const char16_t *b = GetIndexBaseName(it->first.c_str());
        if (b && std::u16string(b) == base) {
            it = keys.erase(it);
            ++removed;
        } else {
            ++it;
        }
    }
    return removed;
}

// Sections

bool cIniFile::Matches(const char16_t *pattern, const std::u16string &text) {
    return !pattern || EqualNoCase(pattern, text);
}

int32_t cIniFile::ScanSections(const char16_t *tagPattern, const char16_t *namePattern) {
    if (position < 0) position = 0;
    for (; position < children.Size(); ++position) {
        const cIniFile *c = children[size_t(position)];
        if (c && Matches(tagPattern, c->tag) && Matches(namePattern, c->name)) break;
    }
    return position;
}

cIniFile::tSectionKey cIniFile::KeyOf(const std::u16string &tagText, const std::u16string &nameText) {
    tSectionKey key(tagText, nameText);
    for (char16_t &c : key.first) c = ToAsciiUpper(c);
    for (char16_t &c : key.second) c = ToAsciiUpper(c);
    return key;
}

size_t cIniFile::sSectionKeyHash::operator()(const tSectionKey &key) const {
    std::hash<std::u16string> hash;
    return hash(key.first) * 31 + hash(key.second);
}

void cIniFile::IndexChild(int32_t at) {
    const cIniFile *c = children[size_t(at)];
    if (!c) return;
    std::vector<int32_t> &positions = sectionIndex[KeyOf(c->tag, c->name)];
    positions.insert(std::upper_bound(positions.begin(), positions.end(), at), at);
}

void cIniFile::RebuildIndex() {
    sectionIndex.clear();
    for (int32_t i = 0; i < children.Size(); ++i) IndexChild(i);
}

void cIniFile::ChildRenamed(const cIniFile *child, const tSectionKey &oldKey) {
    // A child not yet added (GetSection names it first) is in no list.
    auto entry = sectionIndex.find(oldKey);
    if (entry == sectionIndex.end()) return;
    std::vector<int32_t> &positions = entry->second;
    auto at = std::find_if(positions.begin(), positions.end(),
                           [&](int32_t i) { return children[size_t(i)] == child; });
    if (at == positions.end()) return;
    int32_t moved = *at;
    positions.erase(at);
    if (positions.empty()) sectionIndex.erase(entry);
    IndexChild(moved);
}

cIniFile *cIniFile::FindSection(const char16_t *tagPattern, const char16_t *namePattern) {
    position = 0;
    if (tagPattern && namePattern) {
        auto entry = sectionIndex.find(KeyOf(tagPattern, namePattern));
        position = entry == sectionIndex.end() ? children.Size() : entry->second.front();
        return entry == sectionIndex.end() ? nullptr : children[size_t(position)];
    }
    int32_t i = ScanSections(tagPattern, namePattern);
    return i < children.Size() ? children[size_t(i)] : nullptr;
}

cIniFile *cIniFile::GetSection(const char16_t *tagText, const char16_t *nameText) {
    if (cIniFile *found = FindSection(tagText, nameText)) return found;
    auto child = std::make_unique<cIniFile>(this);
    // Named before it is a child: there is no place in the index to move.
    child->tag = OneLine(tagText);
    child->name = OneLine(nameText);
    children.push_back(child.get());
    position = children.Size() - 1;
    IndexChild(position);
    return child.release();
}

cIniFile *cIniFile::FindFirstSection(const char16_t *tagPattern, const char16_t *namePattern) {
    position = 0;
    return FindNextSection(tagPattern, namePattern);
}

cIniFile *cIniFile::FindNextSection(const char16_t *tagPattern, const char16_t *namePattern) {
    int32_t i = ScanSections(tagPattern, namePattern);
    if (i >= children.Size()) return nullptr;
    position = i + 1;
    return children[size_t(i)];
}

tStatus cIniFile::RemoveSection(const char16_t *tagPattern, const char16_t *namePattern) {
    cIniFile *found = FindSection(tagPattern, namePattern);
    if (!found) return RC_FAIL;
    children.Delete(found);
    RebuildIndex();  // the positions behind it moved up
    position = 0;
    return RC_OK;
}

cStringArray &cIniFile::GetStringList(const char16_t *tagPattern, cStringArray &list) {
    list.clear();
    for (const cIniFile *c : children)
        if (c && Matches(tagPattern, c->tag)) list.push_back(c->name);
    position = children.Size();
    return list;
}

int32_t cIniFile::IsSameSection(const cIniFile &other) const { return tag == other.tag && name == other.name; }

int32_t cIniFile::IsBeforeSection(const cIniFile &other) const { return tag < other.tag && name < other.name; }

int32_t cIniFile::Depth() const {
    int32_t depth = 0;
    for (const cIniFile *p = parent; p; p = p->parent) ++depth;
    return depth;
}

void cIniFile::DeleteContents() {
    keys.clear();
    children.DeleteAll();
    sectionIndex.clear();
    position = 0;
}

// Reading

const std::u16string &cIniFile::LineBuffer() { return gIniLineBuffer; }

int32_t cIniFile::ReadLine(cBinaryFileBase &file) {
    gIniLineBuffer.clear();
    // A line is read in chunks until its line feed or the end of the file,
    // so lines of any length are taken whole.
    std::string bytes;
    uint32_t total = 0;
    for (;;) {
        uint32_t n;
        bool lineEnd;
        if (ansi) {
            char chunk[kLineChunk];
            n = file.ReadUntilByte(chunk, 0x0A, kLineChunk);
            bytes.append(chunk, n);
            lineEnd = n && chunk[n - 1] == 0x0A;
        } else {
            char16_t chunk[kLineChunk];
            n = file.ReadUntilChar(chunk, u'\n', kLineChunk);
            gIniLineBuffer.append(chunk, n);
            lineEnd = n && chunk[n - 1] == u'\n';
        }
        total += n;
        if (lineEnd || n < kLineChunk || file.HasIoError()) break;
    }
    if (ansi && !bytes.empty() && gOpSys) gIniLineBuffer = gOpSys->ToWide(bytes.data(), uint32_t(bytes.size()));
    // A zero unit ends every text the line gives (keys and values are kept
    // as zero-ended texts), so it ends the line before anything is trimmed:
    // what is trimmed is what is kept, and a saved file reads back the same.
    size_t zero = gIniLineBuffer.find(u'\0');
    if (zero != std::u16string::npos) gIniLineBuffer.resize(zero);
    if (file.HasIoError() || (total == 0 && file.AtEnd())) return RC_STREAM_FAILED;
    return int32_t(total);
}

tStatus cIniFile::ParseTagLine(const std::u16string &line, std::u16string &tagOut, std::u16string &nameOut) const {
    size_t i = 0, n = line.size();
    while (i < n && IsWhiteSpace(line[i])) ++i;
    if (i >= n || line[i] != u'<') return RC_FAIL;
    ++i;
    if (i < n && line[i] == u'/') {
        ++i;
        size_t end = line.find(u'>', i);
        if (end == std::u16string::npos) end = n;
        size_t e = end;
        while (e > i && IsWhiteSpace(line[e - 1])) --e;
        tagOut = line.substr(i, e - i);
        return !tagOut.empty() && tagOut == tag ? INI_CLOSE_TAG : RC_FAIL;
    }
    while (i < n && IsWhiteSpace(line[i])) ++i;
    size_t start = i;
    while (i < n && !IsWhiteSpace(line[i]) && line[i] != u',') ++i;
    tagOut = line.substr(start, i - start);
    while (i < n && IsWhiteSpace(line[i])) ++i;
    size_t eq = line.find(u'=', i);
    if (eq == std::u16string::npos || !EqualNoCase(u"name", line.substr(i, eq - i))) return RC_FAIL;
    size_t close = line.find(u'>', eq + 1);
    if (close == std::u16string::npos) return RC_FAIL;
    nameOut = Trimmed(line.substr(eq + 1, close - eq - 1));
    return INI_OPEN_TAG;
}

tStatus cIniFile::Read(cBinaryFileBase &file) {
    std::u16string childTag, childName, key, value;
    while (!file.AtEnd()) {
        if (ReadLine(file) < 0) break;
        const std::u16string line = gIniLineBuffer;
        tStatus kind = ParseTagLine(line, childTag, childName);
        if (kind == INI_CLOSE_TAG) break;
        if (kind == INI_OPEN_TAG) {
            if (Depth() < kMaxDepth) GetSection(childTag.c_str(), childName.c_str())->Read(file);
            continue;
        }
        size_t eq = line.find(u'=');
        if (eq == std::u16string::npos) continue;
        SplitKeyLine(line, eq, key, value);
        SetValue(key.c_str(), value.c_str());
    }
    return file.HasIoError() ? RC_FAIL : RC_OK;
}

tStatus cIniFile::ReadSection(cBinaryFileBase &file) {
    if (ReadLine(file) < 0) return RC_FAIL;
    std::u16string childTag, childName;
    if (ParseTagLine(gIniLineBuffer, childTag, childName) != INI_OPEN_TAG || Depth() >= kMaxDepth) return RC_FAIL;
    return GetSection(childTag.c_str(), childName.c_str())->Read(file);
}

tStatus cIniFile::ReadKeyValue(cBinaryFileBase &file, std::u16string &key, std::u16string &value) {
    int32_t n = ReadLine(file);
    if (n < 0) return RC_STREAM_FAILED;
    key.clear();
    value.clear();
    size_t eq = gIniLineBuffer.find(u'=');
    if (eq == std::u16string::npos) return n;
    SplitKeyLine(gIniLineBuffer, eq, key, value);
    return RC_OK;
}

tStatus cIniFile::Load(const char16_t *newName) {
    std::u16string path = newName ? std::u16string(newName) : fileName;
    if (path.empty() || !gOpSys || gOpSys->FileExists(path.c_str()) < 0) {
        SetFileName(path.c_str());
        DeleteContents();
        return RC_FAIL;
    }
    std::unique_ptr<cBinaryFileBase> file(gOpSys->NewBinaryFile(path.c_str(), cBinaryFileBase::kRead));
    if (!file || !file->IsOpen()) return RC_INI_OPEN_FAILED;  // reported by the file; nothing changed

    // The old contents wait aside until the file has been read without error.
    std::map<std::u16string, std::u16string> oldKeys;
    oldKeys.swap(keys);
    std::vector<cIniFile *> oldChildren;
    oldChildren.swap(children);
    std::unordered_map<tSectionKey, std::vector<int32_t>, sSectionKeyHash> oldIndex;
    oldIndex.swap(sectionIndex);
    std::u16string oldName = fileName;
    bool oldAnsi = ansi;
    int32_t oldPosition = position;
    SetFileName(path.c_str());
    position = 0;

    ansi = false;
    uint8_t mark[2] = {};
    file->Read(mark, 2);
    if (!(file->GetPosition() == 2 && mark[0] == 0xFF && mark[1] == 0xFE)) {
        file->Seek(0);
        ansi = true;
    }
    tStatus result = Read(*file);
    if (file->Close() < 0) result = RC_FAIL;
    if (result < 0) {
        DeleteContents();
        keys.swap(oldKeys);
        static_cast<std::vector<cIniFile *> &>(children).swap(oldChildren);
        sectionIndex.swap(oldIndex);
        fileName = oldName;
        ansi = oldAnsi;
        position = oldPosition;
        return RC_FAIL;
    }
    for (cIniFile *c : oldChildren) delete c;
    return RC_OK;
}

// Writing

std::u16string cIniFile::OpenTagLine() const {
    std::u16string line = u"<" + tag;
    if (!name.empty()) line += u" name=" + name;
    return line + u">\n";
}

std::u16string cIniFile::CloseTagLine() const { return u"</" + tag + u">\n"; }

tStatus cIniFile::WriteKeyLine(cBinaryFileBase &file, const std::u16string &key, const std::u16string &value) {
    return file.WriteStdString(key + u"=" + value + u"\n");
}

tStatus cIniFile::Write(cBinaryFileBase &file) {
    if (!tag.empty()) file.WriteStdString(OpenTagLine());
    for (const auto &kv : keys) WriteKeyLine(file, kv.first, kv.second);
    for (cIniFile *c : children)
        if (c) c->Write(file);
    if (!tag.empty()) file.WriteStdString(CloseTagLine());
    return file.HasIoError() ? RC_FAIL : RC_OK;
}

std::u16string &cIniFile::WriteSection(std::u16string &stream) {
    if (!tag.empty()) stream += OpenTagLine();
    for (const auto &kv : keys) stream += kv.first + u" = " + kv.second + u"\n";
    for (cIniFile *c : children)
        if (c) c->WriteSection(stream);
    if (!tag.empty()) stream += CloseTagLine();
    return stream;
}

tStatus cIniFile::Save(const char16_t *newName) {
    if (newName) SetFileName(newName);
    if (fileName.empty() || !gOpSys) return RC_FAIL;
    std::unique_ptr<cBinaryFileBase> file(gOpSys->NewBinaryFile(fileName.c_str(), cBinaryFileBase::kWrite));
    if (!file || !file->IsOpen()) return RC_INI_OPEN_FAILED;
    const uint8_t mark[2] = {0xFF, 0xFE};
    file->Write(mark, 2);
    tStatus result = Write(*file);
    if (file->Close() < 0) result = RC_FAIL;
    return result;
}
