// Settings and language files in memory: a tree of sections.  Each section
// has a tag, a "name" attribute, ordered keys with text values and owned
// child sections; the top-level section stands for a whole file.
//
// The text form: UTF-16LE behind FF FE (8-bit ANSI text without the mark is
// read too), one line per key ("key=value") and per tag ("<tag name=x>" ...
// "</tag>"), each line ending in one line feed.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/base_defs.h"
#include "foundation/vector_ptr.h"

class cBinaryFileBase;
class cStringArray;
class cIniFile;

template <>
struct lcVectorPtrTraits<cIniFile> : lcVectorPtrTraitsBase<cIniFile> {
    static bool IsEqual(const cIniFile &key, const cIniFile &element);
    static bool IsBefore(const cIniFile &key, const cIniFile &element);
};

// Results of the tag parser.
constexpr tStatus INI_OPEN_TAG = 0x7FFFFFF5;
constexpr tStatus INI_CLOSE_TAG = 0x7FFFFFF6;

class cIniFile {
public:
    // Sections read from a file nest at most this deep below the top level;
    // deeper tag lines are ignored (percussion sections also come from score
    // files, which must not be able to exhaust the stack).
    static constexpr int32_t kMaxDepth = 16;

    // A top-level section: 8-bit flag set, no name, tag or file name.
    cIniFile();
    // A child: takes the parent's file name and 8-bit flag; not yet added to
    // the parent's children (GetSection does that).
    explicit cIniFile(cIniFile *parent);
    virtual ~cIniFile();
    cIniFile(const cIniFile &) = delete;
    cIniFile &operator=(const cIniFile &) = delete;

    tStatus SetFileName(const char16_t *text);
    tStatus SetTag(const char16_t *text);
    tStatus SetName(const char16_t *text);
    const std::u16string &GetFileName() const { return fileName; }
    const std::u16string &GetTag() const { return tag; }
    const std::u16string &GetName() const { return name; }
    bool IsAnsi() const { return ansi; }
    void SetAnsi(bool on) { ansi = on; }
    cIniFile *GetParent() const { return parent; }

    // Keys.  Values are stored with every CR and LF replaced by a space, so
    // that a saved file keeps one line per key.
    const char16_t *GetValue(const char16_t *key) const;
    // The value as a signed decimal; RC_FAIL when the key is absent.
    int32_t GetInt(const char16_t *key) const;
    tStatus SetValue(const char16_t *key, const char16_t *value);
    // A null or empty value removes the key.
    tStatus SetOrRemove(const char16_t *key, const char16_t *value);
    tStatus SetInt(const char16_t *key, int32_t value);
    void RemoveKey(const char16_t *key);
    // "base[index]" as a temporary text.
    virtual const char16_t *MakeIndexedKey(const char16_t *base, int32_t index);
    // The text before the first "[" of a key that ends in its first "]";
    // null for any other key.  A temporary text.
    virtual const char16_t *GetIndexBaseName(const char16_t *key);
    int32_t RemoveIndexedKeys(const char16_t *base);
    const std::map<std::u16string, std::u16string> &Keys() const { return keys; }

    // Children.  Patterns match tags and names ignoring case; null matches all.
    // A tag and a name both given are found through an index of the children,
    // so that a file of many sections loads in time that grows with its size.
    int32_t ScanSections(const char16_t *tagPattern, const char16_t *namePattern);
    cIniFile *FindSection(const char16_t *tagPattern, const char16_t *namePattern);
    cIniFile *GetSection(const char16_t *tagText, const char16_t *nameText);
    cIniFile *FindFirstSection(const char16_t *tagPattern, const char16_t *namePattern);
    cIniFile *FindNextSection(const char16_t *tagPattern, const char16_t *namePattern);
    tStatus RemoveSection(const char16_t *tagPattern, const char16_t *namePattern);
    cStringArray &GetStringList(const char16_t *tagPattern, cStringArray &list);
    const lcVectorPtr<cIniFile> &Children() const { return children; }

    // Element tests of the child vector: exact tag and name comparisons.
    virtual int32_t IsSameSection(const cIniFile &other) const;
    virtual int32_t IsBeforeSection(const cIniFile &other) const;

    // Reading.  ReadLine reads one line of any length (line feed included)
    // into the shared line buffer; RC_STREAM_FAILED at the end of the file.
    int32_t ReadLine(cBinaryFileBase &file);
    static const std::u16string &LineBuffer();
    tStatus ParseTagLine(const std::u16string &line, std::u16string &tagOut, std::u16string &nameOut) const;
    virtual tStatus Read(cBinaryFileBase &file);
    tStatus ReadSection(cBinaryFileBase &file);
    tStatus ReadKeyValue(cBinaryFileBase &file, std::u16string &key, std::u16string &value);
    // 0 when the file was read.  RC_FAIL (section emptied) without a file
    // name or for a missing file.  A file that exists but cannot be opened
    // or read answers a failure and leaves the section as it was, so that
    // a later save cannot write an emptied tree over the user's settings.
    virtual tStatus Load(const char16_t *newName);

    // Writing.  Write answers RC_FAIL when a write to the file failed.
    virtual tStatus Write(cBinaryFileBase &file);
    // The same text with key lines "key = value", appended to the stream.
    virtual std::u16string &WriteSection(std::u16string &stream);
    // RC_FAIL without a file name or when writing failed; RC_INI_OPEN_FAILED
    // when the file cannot be opened.
    virtual tStatus Save(const char16_t *newName);
    // One key line ("key=value" and a line feed) as one file write.
    static tStatus WriteKeyLine(cBinaryFileBase &file, const std::u16string &key, const std::u16string &value);

private:
    // A tag and a name as the index keeps them: folded the way the patterns
    // compare.
    using tSectionKey = std::pair<std::u16string, std::u16string>;
    struct sSectionKeyHash {
        size_t operator()(const tSectionKey &key) const;
    };
    static tSectionKey KeyOf(const std::u16string &tagText, const std::u16string &nameText);
    void IndexChild(int32_t position);
    void RebuildIndex();
    // A child whose tag or name changed moves to its new key.
    void ChildRenamed(const cIniFile *child, const tSectionKey &oldKey);
    void SetTagAndName(std::u16string newTag, std::u16string newName);

    int32_t Depth() const;
    void DeleteContents();
    static bool Matches(const char16_t *pattern, const std::u16string &text);
    static std::u16string OneLine(const char16_t *text);
    std::u16string OpenTagLine() const;
    std::u16string CloseTagLine() const;

    std::map<std::u16string, std::u16string> keys;
    std::u16string fileName;
    bool ansi = true;
    lcVectorPtr<cIniFile> children;
    // The positions of the children under each key, ascending.
    std::unordered_map<tSectionKey, std::vector<int32_t>, sSectionKeyHash> sectionIndex;
    std::u16string tag;
    std::u16string name;
    int32_t position = 0;
    cIniFile *parent = nullptr;
};

inline bool lcVectorPtrTraits<cIniFile>::IsEqual(const cIniFile &key, const cIniFile &element) {
    return key.IsSameSection(element) != 0;
}
inline bool lcVectorPtrTraits<cIniFile>::IsBefore(const cIniFile &key, const cIniFile &element) {
    return key.IsBeforeSection(element) != 0;
}
