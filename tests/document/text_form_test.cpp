// The text form of a score: the lines written for a document, the sections
// of debug mode, the round trip of a tree of every class, the version and
// the malformed files the reader refuses, the export into a file of its own
// and the dump that the first reported error writes into the session log.
#include <gtest/gtest.h>

#include <functional>
#include <iomanip>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "document/base_classes.h"
#include "document/commands.h"
#include "document/page_breaks.h"
#include "foundation/ascii_file.h"
#include "foundation/debug_log.h"
#include "foundation/error_msg.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "platform/version_word.h"
#include "tests/document/score_file_support.h"
#include "tests/document/text_symbols_fixture.h"
#include "tests/test_support.h"

namespace {

using test::Add;
using test::AddScaled;
using test::DescribeTree;
using test::RaisedErrors;
using test::SplitLines;

const std::string kNotValid = "Box: File Error!: This is not a valid Pelmora file.\r\n";

// The reference of an object as debug mode writes it.
std::string Ref(const cPObjBase *obj) {
    std::ostringstream out;
    out << "(" << std::hex << reinterpret_cast<uintptr_t>(obj) << ")" << test::Narrow(obj->GetTypeName());
    return out.str();
}

// The lines from the one that equals `first` up to the one before the line
// that starts with `end`.
std::vector<std::string> Section(const std::vector<std::string> &lines, const std::string &first,
                                 const std::string &end) {
    std::vector<std::string> section;
    bool in = false;
    for (const std::string &line : lines) {
        if (in && line.rfind(end, 0) == 0) break;
        if (line == first) in = true;
        if (in) section.push_back(line);
    }
    return section;
}

size_t Occurrences(const std::string &text, const std::string &part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class TextFormTest : public test::ScoreFileTest {
protected:
    void SetUp() override {
        test::ResetTextClassValues();
        test::ScoreFileTest::SetUp();
    }
    void TearDown() override {
        gProgramStatus.SetDebugMode(false);
        test::ScoreFileTest::TearDown();
        test::ResetTextClassValues();
    }

    // The text WriteText hands to a log of its own, checked to arrive as one
    // entry of the log (one open and one close of its file).
    std::string Dump(const char *name = "dump.txt") {
        cDebugLog writer;
        const std::u16string path = folder + WidenAscii(name);
        writer.SetFileName(path.c_str());
        const int32_t entries = writer.GetCount();
        EXPECT_EQ(PointWindowObject::WriteText(doc, &writer, nullptr), 0);
        EXPECT_EQ(writer.GetCount(), entries + 1);
        return test::ReadFileBytes(path);
    }

    // Writes the text into a ".txt" file and loads it; checks that the
    // message was shown exactly when the load failed.
    tStatus Load(const std::string &text, const char *name = "in.txt") {
        test::LogCapture boxes("text_form_boxes");
        const tStatus result = LoadBytes(text, name);
        EXPECT_EQ(boxes.Text(), result < 0 ? kNotValid : "") << name;
        return result;
    }
};

TEST_F(TextFormTest, TheLinesOfADocument) {
    // Ids without a class are written as "None".
    cPObjBase::BuildRegistry(test::BuildStoredClasses);
    doc->SetFileName(u"C:\\scores\\Sonata \"No. 2\".pmr");
    AddScaled<ScaledObject>(doc, 10, 20, 30, 4);
    AddScaled<cPObjGroup>(doc, 40, -50, 6, 7);
    AddScaled<cLineObject>(doc, -1234, 56789, 1, 2)->SetLineWidth(3);
    const std::string text = Dump();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(Occurrences(text, "\n"), Occurrences(text, "\r\n"));
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Pelmora Music File Oct 12 2013");
    EXPECT_EQ(lines[1], "[config]");
    EXPECT_EQ(lines[2], "Filename \\u\"C:\\005cscores\\005cSonata \\0022No. 2\\0022.pmr\"");
    EXPECT_EQ(lines[3], "Version 2.12.5.0");

    const std::vector<std::string> classes = Section(lines, "[symbols] 186", "[file]");
    ASSERT_EQ(classes.size(), 187u);
    EXPECT_EQ(classes[1], "\"Point\", 1, vector");
    EXPECT_EQ(classes[2], "\"Shape\", 2, vector");
    EXPECT_EQ(classes[3], "None");
    EXPECT_EQ(classes[7], "\"Scaled\", 7, vector");
    EXPECT_EQ(classes[8], "\"Line\", 8, vector");
    EXPECT_EQ(classes[12], "\"Window\", 12, vector");
    EXPECT_EQ(classes[13], "None");
    EXPECT_EQ(classes[186], "None");

    const std::vector<std::string> objects = Section(lines, "[file]", "[fonts]");
    EXPECT_EQ(objects, (std::vector<std::string>{
                           "[file]",
                           "Window          @   0,    0 size   0,   0 owns 3",
                           "\tLine            @-1234,56789 size   1,   2 = 3",
                           "\tScaled          @  10,   20 size  30,   4",
                           "\tGroup           @  40,  -50 size   6,   7 owns 0",
                       }));
    // Outside debug mode: no editing state, no references.
    EXPECT_EQ(text.find("[status]"), std::string::npos);
    EXPECT_EQ(text.find("[undo]"), std::string::npos);
    for (const std::string &line : objects) EXPECT_EQ(line.find('('), std::string::npos) << line;
    // The font table closes the text.
    ASSERT_NE(text.find("[fonts] "), std::string::npos);
    EXPECT_EQ(lines[lines.size() - 1 - size_t(cFontTable::GetCount())].rfind("[fonts] ", 0), 0u);
}

// The class line of a page break carries the footer settings; without a
// footer text, two double quotes stand for it.
TEST_F(TextFormTest, PageBreakClassLinesCarryTheFooterSettings) {
    auto classLines = [](const std::string &text) {
        std::vector<std::string> found;
        for (const std::string &line : SplitLines(text))
            if (line.rfind("\"PageBreak\"", 0) == 0 || line.rfind("\"FmtPageBreak\"", 0) == 0) found.push_back(line);
        return found;
    };
    for (int16_t id : {15, 16}) cPObjBase::PrototypeById(id)->ResetClassData();
    EXPECT_EQ(classLines(Dump("none.txt")),
              (std::vector<std::string>{"\"PageBreak\", 15, vector = -1, 100, \"\", 25, -5",
                                        "\"FmtPageBreak\", 16, vector = -1, 100, \"\", 25, -5"}));
    cPObjBreak::SetFooterText(u"Page # of \"##\"");
    cPObjBreak::SetFooterOffsets(30, -8);
    const std::vector<std::string> lines = classLines(Dump("text.txt"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\"PageBreak\", 15, vector = -1, 100, \\u\"Page # of \\0022##\\0022\", 30, -8");
    cPObjBase::PrototypeById(15)->ResetClassData();
}

// An owner's nested lines go one tab deeper per level.
TEST_F(TextFormTest, NestedOwnersIndentTheirChildren) {
    auto *outer = AddScaled<cPObjGroup>(doc, 1, 2, 3, 4);
    auto *pair = AddScaled<PointPairObject>(outer, 5, 6, 7, 8);
    Add<cPObjPoint>(pair, 9, 10);
    Add<ShapeObject>(doc, 11, 12);
    const std::vector<std::string> lines = Section(SplitLines(Dump()), "[file]", "[fonts]");
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "[file]",
                         "Window          @   0,    0 size   0,   0 owns 2",
                         "\tGroup           @   1,    2 size   3,   4 owns 1",
                         "\t\tPair            @   5,    6 size   7,   8 owns 1",
                         "\t\t\tPoint           @   9,   10",
                         "\tShape           @  11,   12",
                     }));
}

TEST_F(TextFormTest, DebugModeAddsTheEditingStateAndReferencesAndBothFormsLoad) {
    auto *scaled = AddScaled<ScaledObject>(doc, 10, 20, 30, 4);
    auto *group = AddScaled<cPObjGroup>(doc, 40, 50, 6, 7);
    Add<cPObjPoint>(group, 41, 51);
    const std::string tree = DescribeTree(doc);
    const std::string plain = Dump("plain.txt");

    gProgramStatus.SetDebugMode(true);
    ASSERT_NE(gPointUndo, nullptr);
    gPointUndo->RecordMove(scaled);
    gSelectedObject = scaled;
    gHoverObject = group;
    const std::string debug = Dump("debug.txt");
    const std::vector<std::string> lines = SplitLines(debug);
    std::ostringstream objects;
    objects << "Objects: " << gLiveSymbolCount << ", 3";
    const std::vector<std::string> status = Section(lines, "[status]", "[undo]");
    EXPECT_EQ(status, (std::vector<std::string>{"[status]", objects.str(), "Hilight: " + Ref(scaled),
                                                "Focus: none", "Mouse: " + Ref(group)}));
    const std::vector<std::string> undo = Section(lines, "[undo] 1", "[file]");
    ASSERT_EQ(undo.size(), 2u);
    EXPECT_NE(undo[1].find(" @  10,   20, " + Ref(doc)), std::string::npos) << undo[1];
    const std::vector<std::string> file = Section(lines, "[file]", "[fonts]");
    ASSERT_EQ(file.size(), 5u);
    EXPECT_EQ(file[1], Ref(doc) + "          @   0,    0 size   0,   0 owns 2");
    EXPECT_EQ(file[2], "\t" + Ref(scaled) + "          @  10,   20 size  30,   4");
    EXPECT_EQ(file[3].rfind("\t" + Ref(group) + "   ", 0), 0u) << file[3];
    EXPECT_EQ(file[4].rfind("\t\t(", 0), 0u) << file[4];

    gSelectedObject = gHoverObject = nullptr;
    for (const std::string *text : {&plain, &debug}) {
        SCOPED_TRACE(text == &plain ? "plain" : "debug");
        EXPECT_EQ(Load(*text), 0);
        EXPECT_EQ(DescribeTree(doc), tree);
    }
}

// The reader takes the version as written and refuses files of programs
// that wrote their strings in a code page.
TEST_F(TextFormTest, VersionsBelow2_10_2AreRefused) {
    Add<cPObjPoint>(doc, 3, 4);
    const std::string text = Dump();
    const size_t at = text.find("Version 2.12.5.0\r\n");
    ASSERT_NE(at, std::string::npos);
    const struct {
        const char *version;
        uint32_t word;  // 0: refused
    } cases[] = {
        {"2.10.1.0", 0},          {"2.10.1.255", 0},        {"1.99.99.0", 0},         {"2.10.2", 0},
        {"2.10.2.0", 0x20A0200},  {"2.10.2.7", 0x20A0207}, {"3.0.0.0", 0x3000000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.version);
        gFileVersion = 0x1060000;
        std::string changed = text;
        changed.replace(at, 16, std::string("Version ") + c.version);
        EXPECT_EQ(Load(changed), c.word ? 0 : kFailed);
        EXPECT_EQ(DescribeTree(doc), c.word ? "Window@0,0 0x0[Point@3,4]" : "Window@0,0 0x0[]");
        // Only a file taken for ours sets the version of the file read.
        EXPECT_EQ(gFileVersion, c.word ? c.word : 0x1060000u);
    }
}

// Character and text symbols: characters in and outside the 8-bit range,
// one circled; a text whose capacity is not the class's, with quotes,
// backslashes and characters beyond 8 bits; font texts, one made while the
// class default capacity was larger, one longer than that default; a static
// text.
void AddTextSymbols(cPObjOwnBase *owner) {
    Add<CharObject>(owner, 20, 30)->SetChar(u'A');
    auto *circled = Add<CharObject>(owner, 21, 31);
    circled->SetChar(u'\u2603');
    circled->SetFrameStyle(CharObject::kCircled);
    TextObject::SetClassDefaultCapacity(250);
    Add<TextObject>(owner, 22, 32)->SetText(u"Say \"hi\" \\ caf\u00e9 \u266F");
    TextObject::SetClassDefaultCapacity(TextObject::kInitialCapacity);
    TextFontObject::SetFontClassDefaultCapacity(300);
    auto *wide = Add<TextFontObject>(owner, 23, 33);
    wide->SetText(u"Fine");
    wide->SetAlignment(2);
    Add<TextFontObject>(owner, 24, 34)->SetText(std::u16string(150, u'x').c_str());
    TextFontObject::SetFontClassDefaultCapacity(TextObject::kInitialCapacity);
    Add<StaticTextObject>(owner, 25, 35)->SetText(u"Static");
}

// Every class of the document layer, a block mark and a block group among
// them, with owners nested three deep.
void BuildEveryClass(PointWindowObject *doc) {
    AddTextSymbols(doc);
    Add<cPObjBreak>(doc, 0, 500);
    Add<cPObjFmtBreak>(doc, 0, 900);
    cPObjGroup *group = test::AddBasicClasses(doc);
    // A block over the group's first point, and a copy of it.
    auto *mark = new cPObjBlockMark;
    mark->PlaceIn(group, 305, 315);
    group->AddChild(mark);
    mark->Open(group, 305, 315, 10, 10);
    mark->SetFollow(1, 0);
    cPObjBlockGroup *copy = cPObjBlockMark::CopyBlock(mark);
    ASSERT_NE(copy, nullptr);
    copy->SetPosition(400, 410);
    doc->InsertChild(copy);
}

TEST_F(TextFormTest, ExportImportAndExportAgainGiveTheSameText) {
    // Texts in a font that a load keeps: the one it makes the window's
    // default (a load replaces fonts that cannot be scaled).
    window->SetDefaultFont(window->FindFont(u"arial", -13, 0));
    BuildEveryClass(doc);
    const std::string tree = DescribeTree(doc);
    // The document is named as its file will be named after the load.
    doc->SetFileName((folder + u"trip.pmr").c_str());
    ASSERT_EQ(doc->ExportTextFile((folder + u"trip.txt").c_str(), nullptr), RC_OK);
    const std::string first = test::ReadFileBytes(folder + u"trip.txt");
    ASSERT_NE(first.find("BlockMark"), std::string::npos);
    ASSERT_NE(first.find("BlockGroup"), std::string::npos);
    gDocumentFlags = 1;
    ASSERT_EQ(doc->LoadFile((folder + u"trip.txt").c_str()), 0);
    EXPECT_EQ(std::u16string(doc->GetFileName()), folder + u"trip.pmr");
    EXPECT_EQ(gDocumentFlags, 0u);
    EXPECT_EQ(DescribeTree(doc), tree);
    ASSERT_EQ(doc->ExportTextFile((folder + u"again.txt").c_str(), nullptr), RC_OK);
    // The class defaults are there for the reader of a report and are never
    // read back: a load resets them.  Everything else reads back the same.
    auto withoutDefaults = [](const std::string &text) {
        const size_t from = text.find("[symbols] "), to = text.find("[file]\r\n");
        return from == std::string::npos || to == std::string::npos ? text : text.substr(0, from) + text.substr(to);
    };
    EXPECT_EQ(withoutDefaults(test::ReadFileBytes(folder + u"again.txt")), withoutDefaults(first));
    EXPECT_EQ(log->Text(), "");

    // Texts and capacities read back; a character's frame style and a font
    // text's capacity are not in the text: the class defaults stand in, the
    // capacity raised to the text's length.
    std::vector<std::string> texts;
    for (uint16_t i = 0; i < doc->GetChildCount(); ++i) {
        cPObjPoint *child = doc->GetChild(i);
        std::ostringstream line;
        if (auto *c = dynamic_cast<CharObject *>(child))
            line << "Char " << std::hex << uint32_t(c->GetChar()) << std::dec << " frame " << int(c->GetFrameStyle());
        else if (auto *t = dynamic_cast<TextObject *>(child))
            line << test::Narrow(t->GetTypeName()) << " " << t->GetCapacity() << " " << std::u16string(t->GetText()).size();
        else
            continue;
        texts.push_back(line.str());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Char 41 frame 0", "Char 2603 frame 0", "Text 250 17", "FontText 100 4",
                                               "FontText 150 150", "StaticText 100 6"}));
    for (uint16_t i = 0; i < doc->GetChildCount(); ++i) {
        if (auto *t = dynamic_cast<TextObject *>(doc->GetChild(i)); t && t->GetTypeId() == 4) {
            EXPECT_EQ(std::u16string(t->GetText()), u"Say \"hi\" \\ caf\u00e9 \u266F");
        }
    }
}

// The export into a file writes what the dump writes, and replaces a
// previous file only once it is whole.
TEST_F(TextFormTest, TheExportFileHoldsTheDumpAndAFailedExportKeepsThePreviousFile) {
    Add<cPObjPoint>(doc, 1, 2);
    const std::u16string path = folder + u"export.txt";
    test::WriteFileBytes(path, "a previous file, longer than nothing");
    ASSERT_EQ(doc->ExportTextFile(path.c_str(), nullptr), RC_OK);
    EXPECT_EQ(test::ReadFileBytes(path), Dump());

    const std::u16string taken = folder + u"taken.txt";
    ASSERT_EQ(test::OpSys().CreateFolder(taken), RC_OK);
    test::WriteFileBytes(taken + u"\\inside.txt", "kept");
    const std::string before = test::ReadFileBytes(path);
    test::LogCapture reports("text_form_export_reports");
    for (const std::u16string &target : {taken, folder + u"missing\\export.txt", std::u16string()})
        EXPECT_EQ(doc->ExportTextFile(target.c_str(), nullptr), RC_FAIL) << test::Narrow(target);
    EXPECT_EQ(test::ReadFileBytes(taken + u"\\inside.txt"), "kept");
    EXPECT_EQ(test::ReadFileBytes(path), before);
    EXPECT_EQ(test::FolderEntries(folder),
              (std::vector<std::u16string>{u"dump.txt", u"export.txt", u"taken.txt"}));
}

// A minimal text form: what the reader needs and nothing else.
std::string Minimal(const std::string &objects) { return "[config]\nVersion 2.12.5.0\n[file]\n" + objects; }

// Owners inside owners, each the only child of the one before, without
// indentation (the reader does not need it), a point in the innermost.
std::string NestedOwners(int32_t depth) {
    std::string text = Minimal("Window @ 0, 0 size 0, 0 owns 1\n");
    text.reserve(text.size() + size_t(depth) * 32);
    for (int32_t i = 0; i < depth; ++i) text += "Group @ 0, 0 size 1, 1 owns 1\n";
    return text + "Point @ 7, 8\n";
}

// A block group's line is followed by its source owner's line in brackets;
// here every source is a block group again, each with its brackets closed.
std::string NestedBlockGroups(int32_t depth) {
    std::string text = Minimal("Window @ 0, 0 size 0, 0 owns 1\n");
    for (int32_t i = 0; i < depth; ++i) text += "BlockGroup @ 0, 0 size 1, 1\n(\n";
    for (int32_t i = 1; i < depth; ++i) text += ")\n";
    return text + ") owns 0\n";
}

TEST_F(TextFormTest, MalformedFilesAreRefusedOrTheirUnknownLinesSkipped) {
    AddScaled<ScaledObject>(doc, 10, 20, 30, 4);
    auto *group = AddScaled<cPObjGroup>(doc, 40, 50, 6, 7);
    Add<cPObjPoint>(group, 1, 2);
    Add<cPObjPoint>(doc, 300, 400);
    const std::string sound = Dump();
    const std::string whole = "Window@0,0 0x0[Scaled@10,20 30x4 Group@40,50 6x7[Point@1,2] Point@300,400]";
    ASSERT_EQ(Load(sound), 0);
    ASSERT_EQ(DescribeTree(doc), whole);

    auto replaced = [&](const std::string &from, const std::string &to) {
        std::string text = sound;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    auto cutAfter = [&](const std::string &part) { return sound.substr(0, sound.find(part) + part.size()); };
    const std::string none = "Window@0,0 0x0[]";
    const struct {
        const char *what;
        std::string text;
        tStatus result;
        std::string tree;
    } cases[] = {
        {"an empty file", "", kFailed, none},
        {"a binary file", std::string("P\0e\0l\0\x1A\0\0\0\x00\x05\x0C\x02", 14), kFailed, none},
        {"no [config]", replaced("[config]", "[setup]"), kFailed, none},
        {"no Version line", replaced("Version ", "Release "), kFailed, none},
        {"a Version without a number", cutAfter("Version"), kFailed, none},
        {"no [file]", replaced("[file]", "[fil]"), kFailed, none},
        {"[config] only after [file]", Minimal("Window @ 0, 0 owns 0\n[config]\n"), kFailed, none},
        {"the document line cut short", cutAfter("Window          @   0,"), kFailed, none},
        {"a child line cut short", cutAfter("\t\tPoint           @   1,"), kFailed,
         "Window@0,0 0x0[Scaled@10,20 30x4 Group@40,50 6x7[]]"},
        {"a size cut after its comma", cutAfter("size  30,"), kFailed, none},
        {"the last child missing", sound.substr(0, sound.find("\tPoint           @ 300")), kFailed,
         "Window@0,0 0x0[Scaled@10,20 30x4 Group@40,50 6x7[Point@1,2]]"},
        {"a line without its @", replaced("\tScaled          @", "\tScaled           "), kFailed, none},
        {"x beyond 32 bits", replaced("@  10,", "@ 99999999999,"), kFailed, none},
        {"y below -2^31", replaced("20 size", "-2147483649 size"), kFailed, none},
        {"a child count beyond 16 bits", replaced("owns 1", "owns 70000"), kFailed,
         "Window@0,0 0x0[Scaled@10,20 30x4 Group@40,50 6x7[]]"},
        {"a negative child count reads to the end", replaced("owns 1", "owns -1"), kFailed,
         "Window@0,0 0x0[Scaled@10,20 30x4 Group@40,50 6x7[Point@1,2 Point@300,400]]"},
        {"an unknown class's line is skipped", replaced("\tScaled ", "\tComet  "), 0,
         "Window@0,0 0x0[Group@40,50 6x7[Point@1,2] Point@300,400]"},
        {"an unknown owner's line is skipped, its children read as the next lines", replaced("\tGroup  ", "\tCloud  "),
         0, "Window@0,0 0x0[Point@1,2 Scaled@10,20 30x4]"},
        {"10,000 nested owners", NestedOwners(10000), kFailed, ""},
        {"block groups nested 10,000 deep in each other's source lines", NestedBlockGroups(10000), kFailed,
         "Window@0,0 0x0[BlockGroup@0,0 1x1[]]"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        RaisedErrors errors;
        gDocumentFlags = 3;
        EXPECT_EQ(Load(c.text), c.result);
        if (!c.tree.empty()) {
            EXPECT_EQ(DescribeTree(doc), c.tree);
        }
        EXPECT_EQ(gDocumentFlags, 0u);
    }
    // What was read before the nesting went too deep stays: the same depth
    // as the binary reader takes, and that depth is still read whole.
    ASSERT_EQ(Load(NestedOwners(10000)), kFailed);
    EXPECT_EQ(doc->CountDescendants(), 256u);
    ASSERT_EQ(Load(NestedOwners(255)), 0);
    EXPECT_EQ(doc->CountDescendants(), 256u);
    ASSERT_EQ(Load(NestedBlockGroups(3)), 0);
    EXPECT_EQ(DescribeTree(doc), "Window@0,0 0x0[BlockGroup@0,0 1x1[]]");
}

// The reporter of the program, fresh for one test, so that its first report
// is the first; the registered one comes back afterwards.
class ReporterScope {
public:
    ReporterScope() : reporter(gErrorMsg), callback(gErrorCallback), handler(std::get_new_handler()) {
        gErrorMsg = nullptr;
        fresh = new cErrorMsg;
    }
    ~ReporterScope() {
        delete fresh;
        gErrorMsg = reporter;
        gErrorCallback = callback;
        std::set_new_handler(handler);
    }
    ReporterScope(const ReporterScope &) = delete;
    ReporterScope &operator=(const ReporterScope &) = delete;

private:
    cErrorMsgBase *reporter;
    tErrorCallback callback;
    std::new_handler handler;
    cErrorMsg *fresh = nullptr;
};

TEST_F(TextFormTest, TheFirstReportedErrorDumpsTheDocumentOnceAndTheDumpLoads) {
    BuildEveryClass(doc);
    const std::string tree = DescribeTree(doc);
    ASSERT_EQ(gCurrentDocument, doc);
    {
        ReporterScope scope;
        SetErrorCallback(PointWindowObject::OnFirstReportedError);
        cPObjBase::ErrorInvalidObject();
        cPObjBase::ErrorInvalidDevice();
    }
    const std::string text = log->Text();
    EXPECT_EQ(Occurrences(text, "[config]"), 1u) << text;
    EXPECT_EQ(Occurrences(text, "[file]"), 1u);
    const size_t error = text.find("Error in PointObj: Invalid object\r\n");
    const size_t dump = text.find("Pelmora Music File Oct 12 2013\r\n");
    ASSERT_NE(error, std::string::npos) << text;
    ASSERT_NE(dump, std::string::npos);
    EXPECT_LT(error, dump);
    EXPECT_LT(dump, text.find("Error in PointObj: Invalid device\r\n"));

    // The log itself loads as a text form: the reader takes its last dump.
    ASSERT_EQ(doc->LoadFile(log->Path().c_str()), 0);
    EXPECT_EQ(DescribeTree(doc), tree);
}

TEST_F(TextFormTest, WithoutACurrentDocumentTheReportWritesNothing) {
    Add<cPObjPoint>(doc, 1, 2);
    gCurrentDocument = nullptr;
    EXPECT_EQ(PointWindowObject::WriteDiagnosticReport(), kFailed);
    EXPECT_EQ(PointWindowObject::WriteText(nullptr, &gOpSys->Log(), nullptr), kFailed);
    EXPECT_EQ(PointWindowObject::WriteText(doc, nullptr, nullptr), kFailed);
    EXPECT_EQ(log->Text(), "");
    gCurrentDocument = doc;
    EXPECT_EQ(PointWindowObject::WriteDiagnosticReport(), 0);
    EXPECT_NE(log->Text().find("\tPoint           @   1,    2\r\n"), std::string::npos);
}

// A document read as a child of the document makes itself current as every
// new document does; once the load is over the loading document is current
// again, whichever form the file has and whether it loaded or not.
TEST_F(TextFormTest, ADocumentReadAsAChildDoesNotStayCurrent) {
    test::cScoreBytes binary(0x020C0500);
    binary.Header().Dictionary().Root(binary.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 1);
    // A document's record is followed by a font table, the child's too.
    binary.Child(12, binary.OwnerSize(5, 6, 1, 1)).OwnerRecord(5, 6, 1, 1, 0).NoFonts().NoFonts();
    const struct {
        const char *name;
        bool text;
        std::string bytes;
        tStatus result;
    } cases[] = {
        {"child.txt", true, Minimal("Window @ 0, 0 size 0, 0 owns 1\nWindow @ 5, 6 size 1, 1 owns 0\n"), 0},
        {"cut.txt", true, Minimal("Window @ 0, 0 size 0, 0 owns 2\nWindow @ 5, 6 size 1, 1 owns 0\nPoint @ 1,"),
         kFailed},
        {"child.pmr", false, binary.Bytes(), 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(gCurrentDocument, doc);
        EXPECT_EQ(c.text ? Load(c.bytes, c.name) : LoadBytes(c.bytes, c.name), c.result);
        EXPECT_EQ(DescribeTree(doc), "Window@0,0 0x0[Window@5,6 1x1[]]");
        EXPECT_EQ(gCurrentDocument, doc);
    }
}

// A character or text whose font has no description (none, or the
// device's default) ends its line after the comma; the next line is an
// object of its own.
TEST_F(TextFormTest, AFontWithoutDescriptionLeavesTheNextLineToItsObject) {
    const std::string text = Minimal("Window @ 0, 0 size 0, 0 owns 4\n"
                                     "\tChar @ 1, 2 = \\u'a', \n"
                                     "\tText @ 3, 4 = 100, \\u\"abc\", \n"
                                     "\tFontText @ 5, 6 = 0, \\u\"def\", \n"
                                     "\tPoint @ 7, 8\n");
    EXPECT_EQ(Load(text), 0);
    EXPECT_EQ(DescribeTree(doc), "Window@0,0 0x0[Char@1,2 Text@3,4 FontText@5,6 Point@7,8]");
}

// A log holding two dumps loads the later one.
TEST_F(TextFormTest, TheLastConfigurationOfAFileIsRead) {
    Add<cPObjPoint>(doc, 1, 2);
    const std::string older = Dump("older.txt");
    doc->Clear(0);
    Add<ShapeObject>(doc, 3, 4);
    const std::string newer = Dump("newer.txt");
    EXPECT_EQ(Load(older + "Error in Somewhere: something\r\n" + newer + "Box: Warning\r\n"), 0);
    EXPECT_EQ(DescribeTree(doc), "Window@0,0 0x0[Shape@3,4]");
}

}  // namespace
