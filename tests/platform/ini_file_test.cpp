#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/binary_file.h"
#include "foundation/string_array.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"
#include "tests/test_support.h"

namespace {

using Keys = std::map<std::u16string, std::u16string>;

std::u16string Folder() {
    static std::u16string folder = test::MakeTempFolder("ini_file");
    return folder;
}

// UTF-16LE bytes of a text, behind the mark when asked.
std::string Utf16(const std::u16string &text, bool mark = true) {
    std::string bytes = mark ? std::string("\xFF\xFE", 2) : std::string();
    for (char16_t c : text) {
        bytes.push_back(char(c & 0xFF));
        bytes.push_back(char(c >> 8));
    }
    return bytes;
}

std::u16string WithBytes(const char16_t *name, const std::string &bytes) {
    std::u16string path = Folder() + name;
    test::WriteFileBytes(path, bytes);
    return path;
}

const char16_t kExample[] =
    u"Language=1033\n"
    u"RecentOpenedFiles[0]=C:\\Scores\\Waltz.pmr\n"
    u"TranslationFile=0\n"
    u"<Percussion name=Rock>\n"
    u"<NoteHead name=Cross>\n"
    u"Instrument[42]=Closed Hi-Hat\n"
    u"</NoteHead>\n"
    u"</Percussion>\n";

TEST(IniFile, ExampleLoadsIntoTheTreeAndSavesByteForByte) {
    std::string bytes = Utf16(kExample);
    std::u16string path = WithBytes(u"example.ini", bytes);
    cIniFile ini;
    ASSERT_EQ(ini.Load(path.c_str()), RC_OK);
    EXPECT_FALSE(ini.IsAnsi());
    EXPECT_EQ(ini.Keys(), (Keys{{u"Language", u"1033"},
                                {u"RecentOpenedFiles[0]", u"C:\\Scores\\Waltz.pmr"},
                                {u"TranslationFile", u"0"}}));
    ASSERT_EQ(ini.Children().size(), 1u);
    const cIniFile &rock = *ini.Children()[0];
    EXPECT_EQ(rock.GetTag(), u"Percussion");
    EXPECT_EQ(rock.GetName(), u"Rock");
    EXPECT_TRUE(rock.Keys().empty());
    ASSERT_EQ(rock.Children().size(), 1u);
    const cIniFile &cross = *rock.Children()[0];
    EXPECT_EQ(cross.GetTag(), u"NoteHead");
    EXPECT_EQ(cross.GetName(), u"Cross");
    EXPECT_EQ(cross.Keys(), (Keys{{u"Instrument[42]", u"Closed Hi-Hat"}}));
    EXPECT_EQ(cross.GetParent(), &rock);

    std::u16string copy = Folder() + u"example_copy.ini";
    ASSERT_EQ(ini.Save(copy.c_str()), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(copy), bytes);
    EXPECT_EQ(ini.GetFileName(), copy);

    std::u16string text;
    ini.WriteSection(text);
    EXPECT_EQ(text.substr(0, 16), u"Language = 1033\n");
    EXPECT_NE(text.find(u"<NoteHead name=Cross>\nInstrument[42] = Closed Hi-Hat\n</NoteHead>\n"), std::u16string::npos);
}

// Encodings, line ends and line lengths, as the reader takes them.
TEST(IniFile, ReadingTable) {
    std::u16string k297 = u"K=" + std::u16string(295, u'a');
    std::u16string k298 = u"K=" + std::u16string(296, u'b');
    std::u16string k400 = u"K=" + std::u16string(398, u'c');
    std::u16string k5000 = u"L=" + std::u16string(4998, u'd');
    struct Case {
        const char *what;
        std::string bytes;
        Keys keys;
    } cases[] = {
        {"8-bit text with CR LF", "Sound = 1\r\nGrid=2\r\n", {{u"Sound", u"1"}, {u"Grid", u"2"}}},
        {"8-bit text, code page characters", "Open=\xD6" "ffnen\n", {{u"Open", u"\u00d6ffnen"}}},
        {"8-bit long line", "K=" + std::string(600, 'e') + "\n", {{u"K", std::u16string(600, u'e')}}},
        {"UTF-16 with CR LF", Utf16(u"A=1\r\nB=2\r\n"), {{u"A", u"1"}, {u"B", u"2"}}},
        {"UTF-16 last line without line feed", Utf16(u"A=1\nB=2"), {{u"A", u"1"}, {u"B", u"2"}}},
        {"UTF-16 beyond one byte", Utf16(u"Menu_File/Open_Text=&\u00d6ffnen \u20ac\u65e5\n"),
         {{u"Menu_File/Open_Text", u"&\u00d6ffnen \u20ac\u65e5"}}},
        {"297 characters", Utf16(k297 + u"\n"), {{u"K", k297.substr(2)}}},
        {"298 characters", Utf16(k298 + u"\n"), {{u"K", k298.substr(2)}}},
        {"400 characters", Utf16(k400 + u"\nZ=1\n"), {{u"K", k400.substr(2)}, {u"Z", u"1"}}},
        {"5000 characters, no line feed", Utf16(k5000), {{u"L", k5000.substr(2)}}},
        {"value holding =", Utf16(u"key = a=b\n=x\n"), {{u"key", u"a=b"}, {u"", u"x"}}},
        {"empty value stays empty", Utf16(u"Empty=\nBlank=   \r\n"), {{u"Empty", u""}, {u"Blank", u""}}},
        {"no =, blank lines", Utf16(u"\njunk\n<Percussion>\n</Percussion>\nA=1\n\n"), {{u"A", u"1"}}},
        {"space before = is no tag", Utf16(u"<Percussion name = Rock>\n"), {{u"<Percussion name", u"Rock>"}}},
        {"tag without >", Utf16(u"<Percussion name=Rock\n"), {{u"<Percussion name", u"Rock"}}},
        {"a zero unit ends the line's text", Utf16(std::u16string(u"Save=Sichern \0als\nK\0ey =1\nNext=2\n", 33)),
         {{u"Save", u"Sichern"}, {u"Next", u"2"}}},
        {"a zero byte ends the line's text", std::string("Save=Sichern \0als\nNext=2\n", 25),
         {{u"Save", u"Sichern"}, {u"Next", u"2"}}},
        {"FE FF is no mark", std::string("\xFE\xFF", 2) + "A=1\n", {{u"\u00fe\u00ff" u"A", u"1"}}},
        {"only the mark", Utf16(u""), {}},
        {"nothing", "", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::u16string path = WithBytes(u"table.ini", c.bytes);
        cIniFile ini;
        EXPECT_EQ(ini.Load(path.c_str()), RC_OK);
        EXPECT_EQ(ini.Keys(), c.keys);
    }
}

TEST(IniFile, WrittenLinesReadBack) {
    std::u16string path = Folder() + u"roundtrip.ini";
    cIniFile out;
    out.SetValue(u"Empty", u"");
    out.SetValue(u"Two\nLines", u"first\r\nsecond");
    out.SetValue(u"Long", std::u16string(1000, u'x').c_str());
    cIniFile *set = out.GetSection(u"Percussion", u"My\nSet");
    set->SetValue(u"A", u"1");
    ASSERT_EQ(out.Save(path.c_str()), RC_OK);

    cIniFile in;
    ASSERT_EQ(in.Load(path.c_str()), RC_OK);
    EXPECT_EQ(in.Keys(), (Keys{{u"Empty", u""}, {u"Two Lines", u"first  second"}, {u"Long", std::u16string(1000, u'x')}}));
    ASSERT_EQ(in.Children().size(), 1u);
    EXPECT_EQ(in.Children()[0]->GetName(), u"My Set");
    EXPECT_EQ(in.Children()[0]->Keys(), (Keys{{u"A", u"1"}}));
}

TEST(IniFile, SectionsMergeAndCloseExactly) {
    std::u16string path = WithBytes(u"merge.ini", Utf16(
        u"<Percussion name=Rock>\nA=1\nB=1\n</Percussion>\n"
        u"<Percussion name=ROCK>\nB=2\n</Percussion>\n"
        u"<percussion name=rock>\nC=3\n</percussion>\nD=4\n</Percussion>\n"
        u"<Empty name=>\nE=5\n</Empty>\n"
        u"Top=1\n"
        u"<Open name=x>\nF=6\n"));
    cIniFile ini;
    ASSERT_EQ(ini.Load(path.c_str()), RC_OK);
    ASSERT_EQ(ini.Children().size(), 3u);
    const cIniFile &rock = *ini.Children()[0];
    EXPECT_EQ(rock.GetTag(), u"Percussion");
    EXPECT_EQ(rock.GetName(), u"Rock");
    EXPECT_EQ(rock.Keys(), (Keys{{u"A", u"1"}, {u"B", u"2"}, {u"C", u"3"}, {u"D", u"4"}}));
    EXPECT_EQ(ini.Children()[1]->GetName(), u"");
    EXPECT_EQ(ini.Children()[1]->Keys(), (Keys{{u"E", u"5"}}));
    EXPECT_EQ(ini.Keys(), (Keys{{u"Top", u"1"}}));
    EXPECT_EQ(ini.Children()[2]->Keys(), (Keys{{u"F", u"6"}}));  // runs to the end of the file
}

TEST(IniFile, EmptyNameWritesATagThatReadsAsNoTag) {
    cIniFile out;
    out.GetSection(u"Percussion", nullptr)->SetValue(u"A", u"1");
    std::u16string path = Folder() + u"noname.ini";
    ASSERT_EQ(out.Save(path.c_str()), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(path), Utf16(u"<Percussion>\nA=1\n</Percussion>\n"));
    cIniFile in;
    in.Load(path.c_str());
    EXPECT_EQ(in.Keys(), (Keys{{u"A", u"1"}}));
    EXPECT_TRUE(in.Children().empty());
}

TEST(IniFile, NestingIsCappedAtSixteen) {
    std::u16string text;
    for (int i = 0; i < 40; ++i) text += u"<S name=n" + std::u16string(1, char16_t(u'A' + i % 26)) + u">\nK=" + std::u16string(1, char16_t(u'a' + i % 26)) + u"\n";
    for (int i = 0; i < 40; ++i) text += u"</S>\n";
    cIniFile ini;
    ASSERT_EQ(ini.Load(WithBytes(u"deep.ini", Utf16(text)).c_str()), RC_OK);
    int depth = 0;
    const cIniFile *s = &ini;
    while (!s->Children().empty()) {
        ASSERT_EQ(s->Children().size(), 1u);
        s = s->Children()[0];
        ++depth;
    }
    EXPECT_EQ(depth, cIniFile::kMaxDepth);
    EXPECT_EQ(s->GetName(), u"nP");
    EXPECT_EQ(s->Keys().size(), 1u);
}

TEST(IniFile, LoadOfAnUnreadableFileLeavesTheTree) {
    cIniFile ini;
    std::u16string good = WithBytes(u"good.ini", Utf16(u"A=1\n<S name=x>\nB=2\n</S>\n"));
    ASSERT_EQ(ini.Load(good.c_str()), RC_OK);
    // A folder exists but cannot be read as a file on any system.
    std::u16string folder = Folder() + u"a folder.ini";
    gOpSys->CreateFolder(folder);
    EXPECT_LT(ini.Load(folder.c_str()), 0);
    EXPECT_EQ(ini.Keys(), (Keys{{u"A", u"1"}}));
    ASSERT_EQ(ini.Children().size(), 1u);
    EXPECT_EQ(ini.Children()[0]->Keys(), (Keys{{u"B", u"2"}}));
    EXPECT_EQ(ini.GetFileName(), good);
    EXPECT_LT(ini.Save(folder.c_str()), 0);

    // A missing file is not an error of reading: the section starts empty.
    std::u16string missing = Folder() + u"missing.ini";
    EXPECT_EQ(ini.Load(missing.c_str()), RC_FAIL);
    EXPECT_TRUE(ini.Keys().empty());
    EXPECT_TRUE(ini.Children().empty());
    EXPECT_EQ(ini.GetFileName(), missing);

    cIniFile unnamed;
    EXPECT_EQ(unnamed.Load(nullptr), RC_FAIL);
    EXPECT_EQ(unnamed.Save(nullptr), RC_FAIL);
}

TEST(IniFile, KeyOperations) {
    cIniFile ini;
    ini.SetValue(u"Language", u"1");
    ini.SetValue(u"language", u"2");
    EXPECT_EQ(std::u16string(ini.GetValue(u"Language")), u"1");
    EXPECT_EQ(std::u16string(ini.GetValue(u"language")), u"2");
    ini.SetValue(u"Printer", u"X");
    ini.SetValue(u"Printer", u"Y");
    EXPECT_EQ(std::u16string(ini.GetValue(u"Printer")), u"Y");
    EXPECT_EQ(ini.Keys().size(), 3u);

    ini.SetValue(u"E", u"");
    ASSERT_NE(ini.GetValue(u"E"), nullptr);
    EXPECT_EQ(ini.SetOrRemove(u"E", u""), RC_OK);
    EXPECT_EQ(ini.GetValue(u"E"), nullptr);
    ini.SetValue(u"E", u"v");
    ini.SetOrRemove(u"E", nullptr);
    EXPECT_EQ(ini.GetValue(u"E"), nullptr);

    struct IntCase {
        const char16_t *stored;
        int32_t value;
    } ints[] = {{u" 42abc", 42}, {u"abc", 0}, {u"-7", -7}, {u"99999999999", INT32_MAX}};
    for (const IntCase &c : ints) {
        ini.SetValue(u"N", c.stored);
        EXPECT_EQ(ini.GetInt(u"N"), c.value);
    }
    EXPECT_EQ(ini.GetInt(u"absent"), RC_FAIL);
    ini.SetInt(u"N", -5);
    EXPECT_EQ(std::u16string(ini.GetValue(u"N")), u"-5");
    ini.SetInt(u"N", 0);
    EXPECT_EQ(std::u16string(ini.GetValue(u"N")), u"0");
}

TEST(IniFile, IndexedKeys) {
    cIniFile ini;
    EXPECT_EQ(std::u16string(ini.MakeIndexedKey(u"RecentOpenedFiles", 10)), u"RecentOpenedFiles[10]");
    EXPECT_LT(std::u16string(u"RecentOpenedFiles[10]"), std::u16string(u"RecentOpenedFiles[2]"));
    struct Case {
        const char16_t *key;
        const char16_t *base;
    } cases[] = {{u"Key", nullptr},      {u"Key[]", u"Key"},      {u"Width[x]", u"Width"}, {u"[3]", u""},
                 {u"List[1]x", nullptr}, {u"List]1[", nullptr}, {nullptr, nullptr}};
    for (const Case &c : cases) {
        const char16_t *base = ini.GetIndexBaseName(c.key);
        if (!c.base)
            EXPECT_EQ(base, nullptr);
        else
            EXPECT_EQ(std::u16string(base), c.base);
    }
    for (const char16_t *k : {u"A[0]", u"A[1]", u"A[2]", u"B", u"a[0]"}) ini.SetValue(k, u"v");
    EXPECT_EQ(ini.RemoveIndexedKeys(u"a"), 1);
    EXPECT_EQ(ini.RemoveIndexedKeys(u"A"), 3);
    EXPECT_EQ(ini.Keys(), (Keys{{u"B", u"v"}}));
    EXPECT_EQ(ini.RemoveIndexedKeys(nullptr), 0);
}

TEST(IniFile, SectionOperations) {
    cIniFile ini;
    ini.SetFileName(u"x.ini");
    ini.SetAnsi(false);
    EXPECT_EQ(ini.FindSection(nullptr, nullptr), nullptr);
    cIniFile *rock = ini.GetSection(u"Percussion", u"Rock");
    EXPECT_EQ(ini.GetSection(u"percussion", u"ROCK"), rock);
    EXPECT_EQ(rock->GetTag(), u"Percussion");
    EXPECT_FALSE(rock->IsAnsi());
    EXPECT_EQ(rock->GetFileName(), u"x.ini");
    cIniFile *head1 = ini.GetSection(u"NoteHead", u"a");
    cIniFile *jazz = ini.GetSection(u"Percussion", u"Jazz");
    cIniFile *head2 = ini.GetSection(u"NoteHead", u"b");
    EXPECT_EQ(ini.Children().size(), 4u);
    EXPECT_EQ(ini.FindSection(nullptr, nullptr), rock);

    std::vector<cIniFile *> visited;
    for (cIniFile *s = ini.FindFirstSection(u"NoteHead", nullptr); s; s = ini.FindNextSection(u"NoteHead", nullptr))
        visited.push_back(s);
    EXPECT_EQ(visited, (std::vector<cIniFile *>{head1, head2}));

    const char16_t *init[] = {u"old", nullptr};
    cStringArray names(init);
    ini.GetStringList(u"PERCUSSION", names);
    EXPECT_EQ(std::vector<std::u16string>(names.begin(), names.end()), (std::vector<std::u16string>{u"Rock", u"Jazz"}));
    ini.GetStringList(u"Nothing", names);
    EXPECT_TRUE(names.empty());

    rock->GetSection(u"NoteHead", u"x")->SetValue(u"k", u"v");
    EXPECT_EQ(ini.RemoveSection(u"Percussion", u"rock"), RC_OK);
    EXPECT_EQ(ini.RemoveSection(u"Percussion", u"rock"), RC_FAIL);
    EXPECT_EQ(ini.Children().size(), 3u);
    EXPECT_EQ(ini.FindSection(u"Percussion", nullptr), jazz);

    cIniFile a, b;
    a.SetTag(u"Percussion");
    b.SetTag(u"percussion");
    EXPECT_EQ(a.IsSameSection(b), 0);
    b.SetTag(u"Percussion");
    EXPECT_EQ(a.IsSameSection(b), 1);
    a.SetName(u"A");
    b.SetTag(u"Q");
    b.SetName(u"B");
    EXPECT_EQ(a.IsBeforeSection(b), 1);
    EXPECT_EQ(b.IsBeforeSection(a), 0);
}

// The first child whose tag and name match without regard to case, found
// the slow way: what the indexed lookup must answer.
const cIniFile *FirstMatch(const cIniFile &ini, const std::u16string &tag, const std::u16string &name) {
    auto same = [](const std::u16string &a, const std::u16string &b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (ToAsciiUpper(a[i]) != ToAsciiUpper(b[i])) return false;
        return true;
    };
    for (const cIniFile *c : ini.Children())
        if (same(c->GetTag(), tag) && same(c->GetName(), name)) return c;
    return nullptr;
}

// Sections renamed after they were added, removed, and tags or names that
// two sections come to share: every lookup answers what a walk over the
// children in order finds, and the walk goes on from the section found.
TEST(IniFile, SectionLookupFollowsRenamesAndRemovals) {
    cIniFile ini;
    cIniFile *a = ini.GetSection(u"Kit", u"A");
    cIniFile *b = ini.GetSection(u"Kit", u"B");
    cIniFile *c = ini.GetSection(u"Head", u"A");
    cIniFile *d = ini.GetSection(u"", u"");
    const struct {
        const char *what;
        std::function<void()> change;
    } steps[] = {
        {"as added", [] {}},
        {"a later section takes an earlier one's name", [&] { c->SetTag(u"KIT"); }},
        {"the earlier one is renamed away", [&] { a->SetName(u"Z"); }},
        {"and back", [&] { a->SetName(u"a"); }},
        {"an empty section is named", [&] { d->SetName(u"b"); d->SetTag(u"kit"); }},
        {"the first of a name is removed", [&] { ini.RemoveSection(u"kit", u"a"); }},
        {"a section is added after a removal", [&] { ini.GetSection(u"Kit", u"New"); }},
        {"a child's own sections do not count", [&] { b->GetSection(u"Kit", u"Inner"); }},
    };
    const std::u16string queries[][2] = {
        {u"Kit", u"A"}, {u"kit", u"a"}, {u"Kit", u"B"}, {u"Head", u"A"}, {u"KIT", u"Z"},
        {u"", u""},     {u"Kit", u"New"}, {u"Kit", u"Inner"}, {u"Ki", u"A"}, {u"Kit", u"AB"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        for (const auto &q : queries) {
            SCOPED_TRACE(test::Narrow(q[0] + u"/" + q[1]));
            const cIniFile *expected = FirstMatch(ini, q[0], q[1]);
            cIniFile *found = ini.FindSection(q[0].c_str(), q[1].c_str());
            EXPECT_EQ(found, expected);
            EXPECT_EQ(ini.FindNextSection(nullptr, nullptr), found);
        }
    }
    // Getting a section that exists adds none; the order of the children
    // is the order they were added in.
    size_t count = ini.Children().size();
    EXPECT_EQ(ini.GetSection(u"kit", u"new"), ini.FindSection(u"Kit", u"New"));
    EXPECT_EQ(ini.Children().size(), count);
    std::vector<std::u16string> order;
    for (const cIniFile *child : ini.Children()) order.push_back(child->GetTag() + u"/" + child->GetName());
    EXPECT_EQ(order, (std::vector<std::u16string>{u"Kit/B", u"KIT/A", u"kit/b", u"Kit/New"}));
}

// A file that repeats sections merges them into the first, whatever the
// case, and a failed load keeps the sections it would have replaced.
TEST(IniFile, RepeatedSectionsInAFileMergeIntoTheFirst) {
    std::u16string path = WithBytes(u"repeated.ini", Utf16(u"<Kit name=A>\nx=1\n</Kit>\n<Kit name=B>\n</Kit>\n"
                                                          u"<KIT name=a>\ny=2\n</KIT>\n"));
    cIniFile ini;
    ASSERT_EQ(ini.Load(path.c_str()), RC_OK);
    ASSERT_EQ(ini.Children().size(), 2u);
    EXPECT_EQ(ini.Children()[0]->Keys(), (Keys{{u"x", u"1"}, {u"y", u"2"}}));
    cIniFile *kitA = ini.FindSection(u"kit", u"A");
    EXPECT_EQ(kitA, ini.Children()[0]);
    std::u16string folder = Folder() + u"repeated folder.ini";
    gOpSys->CreateFolder(folder);
    EXPECT_LT(ini.Load(folder.c_str()), 0);
    EXPECT_EQ(ini.FindSection(u"kit", u"A"), kitA);
}

TEST(IniFile, ReadSectionAndKeyValueLines) {
    std::u16string path = WithBytes(u"lines.ini", Utf16(u"Sound=1\n<Percussion name=Rock>\nA=1\n</Percussion>\nno key\n", false));
    std::unique_ptr<cBinaryFileBase> file(gOpSys->NewBinaryFile(path.c_str(), cBinaryFileBase::kRead));
    cIniFile ini;
    ini.SetAnsi(false);
    EXPECT_EQ(ini.ReadSection(*file), RC_FAIL);
    EXPECT_EQ(file->GetPosition(), 16u);
    EXPECT_EQ(ini.ReadSection(*file), RC_OK);
    ASSERT_NE(ini.FindSection(u"Percussion", u"Rock"), nullptr);
    EXPECT_EQ(ini.FindSection(u"Percussion", u"Rock")->Keys(), (Keys{{u"A", u"1"}}));
    std::u16string key = u"k", value = u"v";
    EXPECT_EQ(ini.ReadKeyValue(*file, key, value), 7);
    EXPECT_EQ(key, u"");
    EXPECT_EQ(ini.ReadKeyValue(*file, key, value), RC_STREAM_FAILED);
    file->Close();
}

}  // namespace
