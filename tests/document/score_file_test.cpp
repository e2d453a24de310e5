// The binary score file: the bytes of an empty document, the round trip of a
// tree of every class built so far, files of older versions built byte by
// byte, the header checks, malformed files and saves that fail.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/commands.h"
#include "document/file_class_map.h"
#include "document/score_file.h"
#include "foundation/text_util.h"
#include "platform/op_sys.h"
#include "platform/version_word.h"
#include "tests/document/score_file_support.h"
#include "tests/test_support.h"

namespace {

using test::Add;
using test::AddBasicClasses;
using test::AddScaled;
using test::BuildStoredClasses;
using test::cScoreBytes;
using test::DescribeTree;
using test::RaisedErrors;
using test::ScoreFileTest;

constexpr uint32_t kProgram = 0x020C0500;

const std::string kNotValid = "Box: File Error!: This is not a valid Pelmora file.";
const std::string kNewer =
    "Box: File version alert!: This file was created with a newer version of the program and may not load properly.";

// The file of an empty document names exactly the classes whose records are
// complete.
TEST_F(ScoreFileTest, AnEmptyDocumentIsTheFileWrittenByHand) {
    cPObjBase::BuildRegistry(BuildStoredClasses);
    gCurrentDocument = doc;
    // A session that has read no file writes every position in 4 bytes.
    gFileVersion = 0x1000000;
    const std::string expected = test::ReadFileBytes(test::SourcePath("tests/data/document/empty_document.pmr"));
    ASSERT_EQ(expected.size(), 599u);
    EXPECT_EQ(SaveBytes("empty.pmr"), expected);
}

TEST_F(ScoreFileTest, SaveLoadAndSaveAgainGiveTheSameBytes) {
    for (uint32_t version : {kProgram, 0x1060000u}) {
        SCOPED_TRACE(version);
        doc->Clear(0);
        gFileVersion = version;
        AddBasicClasses(doc);
        const std::string tree = DescribeTree(doc);
        const std::string first = SaveBytes("first.pmr");
        gDocumentFlags = 1;
        ASSERT_EQ(doc->LoadFile((folder + u"first.pmr").c_str()), 0);
        EXPECT_EQ(gFileVersion, kProgram);
        EXPECT_EQ(gDocumentFlags, 0u);
        EXPECT_EQ(DescribeTree(doc), tree);
        EXPECT_EQ(std::u16string(doc->GetFileName()), folder + u"first.pmr");
        EXPECT_EQ(SaveBytes("second.pmr"), first);
    }
    EXPECT_EQ(log->Text(), "");
}

// A save clears the change flags and, without a path, writes the document's
// own file.
TEST_F(ScoreFileTest, ASaveWithoutAPathWritesTheDocumentsFile) {
    Add<cPObjPoint>(doc, 1, 2);
    doc->SetFileName((folder + u"named.pmr").c_str());
    gDocumentFlags = 0x7;
    EXPECT_EQ(cPObjPoint::SaveFile(doc, nullptr, nullptr), 0);
    EXPECT_EQ(gDocumentFlags, 0u);
    EXPECT_TRUE(test::FileExists(folder + u"named.pmr"));
    EXPECT_EQ(test::FolderEntries(folder), std::vector<std::u16string>{u"named.pmr"});
}

// Files of older versions, each built as that version wrote it.
TEST_F(ScoreFileTest, OlderVersionsLoadToTheirTrees) {
    struct sCase {
        const char *what;
        uint32_t version;
        std::function<void(cScoreBytes &)> build;
        std::string tree;
        std::u16string fileName;  // empty: the path loaded
    };
    const sCase cases[] = {
        {"1.0.0: children relative to their owner, a file name after the tree", 0x1000000,
         [](cScoreBytes &b) {
             b.Header().Dictionary().Root(0).OwnerRecord(0, 0, 0, 0, 2);
             b.Child(1, 0).PointRecord(7, 8);
             b.Child(11, 0).OwnerRecord(100, 200, 10, 10, 1).Child(1, 0).PointRecord(5, 6);
             b.Str("old.pmr");
         },
         "Window@0,0 0x0[Point@7,8 Group@100,200 10x10[Point@105,206]]", u"old.pmr"},
        {"1.4.0: 16-bit positions, no record sizes", 0x1040000,
         [](cScoreBytes &b) {
             b.Header().Dictionary().Root(0).OwnerRecord(0, 0, 0, 0, 2);
             b.Child(8, 0).ScaledRecord(10, -20, 30, 40).U8(3);
             b.Child(11, 0).OwnerRecord(50, 60, 5, 5, 1).Child(7, 0).ScaledRecord(51, 61, 2, 2);
             b.NoFonts();
         },
         "Window@0,0 0x0[Line@10,-20 30x40 lw3 Group@50,60 5x5[Scaled@51,61 2x2]]", u""},
        {"1.5.0: 32-bit positions and record sizes", 0x1050000,
         [](cScoreBytes &b) {
             b.Header().Dictionary().Root(b.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 2);
             b.Child(8, uint16_t(b.ScaledSize(0, 0, 0, 0) + 1)).ScaledRecord(-100000, 20, 30, 40).U8(2);
             b.Child(9, b.OwnerSize(0, 0, 0, 0)).OwnerRecord(70000, 5, 1, 1, 1);
             b.Child(1, b.PointSize(0, 0)).PointRecord(70001, 6);
             b.NoFonts();
         },
         "Window@0,0 0x0[Line@-100000,20 30x40 lw2 Owner@70000,5 1x1[Point@70001,6]]", u""},
        {"1.6.0: variable-length positions, \"Rhythm...Object\" names", 0x1060000,
         [](cScoreBytes &b) {
             b.Header().Dictionary().Root(b.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 1);
             b.Child(10, b.OwnerSize(300, 9000, 2, 2)).OwnerRecord(300, 9000, 2, 2, 2);
             b.Child(1, b.PointSize(301, 9001)).PointRecord(301, 9001);
             b.Child(2, b.PointSize(-5, 9002)).PointRecord(-5, 9002);
             b.NoFonts();
         },
         "Window@0,0 0x0[Pair@300,9000 2x2[Point@301,9001 Shape@-5,9002]]", u""},
        {"2.10.1: 8-bit header and strings", 0x20A0100,
         [](cScoreBytes &b) {
             b.Header(true).Dictionary().Root(b.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 2);
             b.Child(17, b.PointSize(1, 1)).PointRecord(1, 1);
             b.Child(1, b.PointSize(2, 2)).PointRecord(2, 2);
             b.NoFonts();
         },
         "Window@0,0 0x0[Music17@1,1 Point@2,2]", u""},
        {"a leaf of a class this program lacks is skipped by its size", kProgram,
         [](cScoreBytes &b) {
             b.Header().Dictionary({"Comet"}).Root(b.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 3);
             b.Child(18, 5).Raw("\x01\x02\x03\x04\x05");
             b.Child(1, b.PointSize(3, 4)).PointRecord(3, 4);
             b.Child(18, 0);
             b.NoFonts();
         },
         "Window@0,0 0x0[Point@3,4]", u""},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.what);
        cScoreBytes bytes(c.version);
        c.build(bytes);
        const std::u16string path = folder + u"old" + FormatInt(&c - cases) + u".pmr";
        test::WriteFileBytes(path, bytes.Bytes());
        RaisedErrors errors;
        EXPECT_EQ(doc->LoadFile(path.c_str()), 0);
        EXPECT_EQ(errors.Count(), 0) << test::Narrow(errors.LastText());
        EXPECT_EQ(DescribeTree(doc), c.tree);
        EXPECT_EQ(gFileVersion, c.version);
        EXPECT_EQ(std::u16string(doc->GetFileName()), c.fileName.empty() ? path : c.fileName);
    }
    EXPECT_EQ(log->Text(), "");
}

TEST_F(ScoreFileTest, ANewerFileIsLoadedAfterAnAlert) {
    cScoreBytes bytes(0x03010000);
    bytes.Header().Dictionary().Root(bytes.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 1);
    bytes.Child(1, bytes.PointSize(4, 5)).PointRecord(4, 5).NoFonts();
    EXPECT_EQ(LoadBytes(bytes.Bytes()), 0);
    EXPECT_EQ(DescribeTree(doc), "Window@0,0 0x0[Point@4,5]");
    EXPECT_EQ(log->Text(), kNewer + "\r\n");
}

TEST_F(ScoreFileTest, AWrongHeaderIsNotAPelmoraFile) {
    cScoreBytes good(kProgram);
    good.Header().Dictionary().Root(good.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 0).NoFonts();
    std::string wrongWord = good.Bytes();
    wrongWord[2] = 'E';  // "PElmora"
    std::string noMark = good.Bytes();
    noMark[60] = 0x1B;
    std::string ansiNoMark = "Pelmora Music File Oct 12 2013";
    ansiNoMark += std::string("\0\x00\x05\x0C\x02", 5);
    const struct {
        const char *what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"another file", "MThd\0\0\0\x06\0\x01\0\x02\x01\xE0"},
        {"another product word", wrongWord},
        {"no end-of-text mark", noMark},
        {"8-bit without the mark", ansiNoMark},
        {"cut inside the header text", good.Bytes().substr(0, 40)},
        {"cut before the version word", good.Bytes().substr(0, 65)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        test::LogCapture boxes("score_file_header_boxes");
        RaisedErrors errors;
        gFileVersion = 0x1060000;
        EXPECT_EQ(LoadBytes(c.bytes), kFailed);
        EXPECT_EQ(boxes.Text(), kNotValid + "\r\n");
        EXPECT_EQ(errors.Count(), 0);
        // A file that is not ours changes nothing of how the next file is written.
        EXPECT_EQ(gFileVersion, 0x1060000u);
        EXPECT_EQ(DescribeTree(doc), "Window@0,0 0x0[]");
    }
}

TEST_F(ScoreFileTest, PathsEndingInTxtAreTheTextForm) {
    const struct {
        const char16_t *path;
        bool text;
    } cases[] = {
        {u"x.txt", true},          {u"c:\\scores\\x.txt", true}, {u"a.dir\\x.txt", true},
        {u"X.TXT", false},         {u"a.b.txt", false},          {u"x.txt.pmr", false},
        {u"x.txtx", false},        {u"txt", false},              {u"c:\\scores.txt\\x.pmr", false},
        {u"x.pmr", false},         {nullptr, false},
    };
    for (const auto &c : cases) EXPECT_EQ(IsTextFormPath(c.path), c.text) << (c.path ? test::Narrow(c.path) : "null");

    // The same binary file loads under a binary name and goes to the text
    // reader (which does not read binary files) under a text name.
    cScoreBytes bytes(kProgram);
    bytes.Header().Dictionary().Root(bytes.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 1);
    bytes.Child(1, bytes.PointSize(1, 2)).PointRecord(1, 2).NoFonts();
    for (const char *name : {"X.TXT", "a.b.txt"}) {
        EXPECT_EQ(LoadBytes(bytes.Bytes(), name), 0) << name;
        EXPECT_EQ(DescribeTree(doc), "Window@0,0 0x0[Point@1,2]") << name;
    }
    EXPECT_EQ(LoadBytes(bytes.Bytes(), "x.txt"), kFailed);
    EXPECT_EQ(DescribeTree(doc), "Window@0,0 0x0[]");
    EXPECT_EQ(gDocumentFlags, 0u);
}

// The class map lives until the next header or the document's FreeClassData.
TEST_F(ScoreFileTest, TheClassMapOutlivesTheLoad) {
    cScoreBytes bytes(kProgram);
    bytes.Header().Dictionary({"Comet"}).Root(bytes.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 0).NoFonts();
    ASSERT_EQ(LoadBytes(bytes.Bytes()), 0);
    ASSERT_NE(gFileClassMap, nullptr);
    EXPECT_EQ(gFileClassMap->lowest, 1);
    EXPECT_EQ(gFileClassMap->highest, 18);
    EXPECT_EQ(cPObjBase::MapFileClassId(12), 12);
    EXPECT_EQ(cPObjBase::MapFileClassId(4), 0);
    EXPECT_EQ(cPObjBase::MapFileClassId(18), 0);
    EXPECT_EQ(gFileClassMap->entries[17].recordSize, 2);
    doc->FreeClassData();
    EXPECT_EQ(gFileClassMap, nullptr);
    EXPECT_EQ(cPObjBase::MapFileClassId(12), 0);
}

}  // namespace

namespace {

// A document worth keeping, saved once: what every failed save must leave.
void SaveTheFirstVersion(PointWindowObject *doc, const std::u16string &path) {
    Add<cPObjPoint>(doc, 1, 2);
    ASSERT_EQ(cPObjPoint::SaveFile(doc, path.c_str(), nullptr), 0);
    for (int32_t i = 0; i < 50; ++i) AddScaled<ScaledObject>(doc, i, i, 3, 3);
}

TEST_F(ScoreFileTest, ASaveThatCannotOpenOrCloseItsFileFailsAndKeepsEverything) {
    SaveTheFirstVersion(doc, folder + u"kept.pmr");
    const std::string previous = test::ReadFileBytes(folder + u"kept.pmr");
    // A folder where the file should go: it opens (the new file is made
    // beside it) but cannot take the folder's place at the close.
    const std::u16string taken = folder + u"taken.pmr";
    ASSERT_EQ(test::OpSys().CreateFolder(taken), RC_OK);
    test::WriteFileBytes(taken + u"\\inside.txt", "kept");
    const struct {
        const char *what;
        std::u16string path;
    } cases[] = {
        {"a missing folder", folder + u"missing\\kept.pmr"},
        {"a folder in the file's place", taken},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        test::LogCapture reports("score_file_save_reports");
        gDocumentFlags = 0x5;
        EXPECT_EQ(cPObjPoint::SaveFile(doc, c.path.c_str(), nullptr), kFailed);
        EXPECT_EQ(gDocumentFlags, 0x5u);
        EXPECT_NE(reports.Text().find("Error"), std::string::npos) << reports.Text();
        EXPECT_EQ(test::ReadFileBytes(folder + u"kept.pmr"), previous);
        EXPECT_EQ(test::ReadFileBytes(taken + u"\\inside.txt"), "kept");
        EXPECT_EQ(test::FolderEntries(folder), (std::vector<std::u16string>{u"kept.pmr", u"taken.pmr"}));
    }
}

TEST_F(ScoreFileTest, ASaveWithoutAFileNameOrObjectFailsAndIsReported) {
    doc->SetFileName(u"");
    gDocumentFlags = 0x2;
    RaisedErrors errors;
    EXPECT_EQ(cPObjPoint::SaveFile(doc, nullptr, nullptr), kFailed);
    EXPECT_EQ(cPObjPoint::SaveFile(nullptr, (folder + u"x.pmr").c_str(), nullptr), kFailed);
    EXPECT_EQ(errors.Count(), 2);
    EXPECT_EQ(gDocumentFlags, 0x2u);
    EXPECT_TRUE(test::FolderEntries(folder).empty());
}

}  // namespace

namespace {

// A sound file and the places where its parts end.
struct sSoundFile {
    std::string bytes;
    size_t dictionaryEnd = 0;  // the root entry starts here
    size_t scaledStart = 0;    // the scaled child's record
    size_t fontsStart = 0;
};

sSoundFile MakeSoundFile() {
    sSoundFile f;
    cScoreBytes b(kProgram);
    b.Header().Dictionary();
    f.dictionaryEnd = b.Size();
    b.Root(b.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 2);
    b.Child(11, b.OwnerSize(10, 10, 5, 5)).OwnerRecord(10, 10, 5, 5, 1);
    b.Child(1, b.PointSize(11, 12)).PointRecord(11, 12);
    b.Child(7, b.ScaledSize(20, 30, 4, 4));
    f.scaledStart = b.Size();
    b.ScaledRecord(20, 30, 4, 4);
    f.fontsStart = b.Size();
    b.U16(0).U16(1).U16(uint16_t(-13)).U16(0).Str("Arial");
    f.bytes = b.Bytes();
    return f;
}

// The sound file with the bytes from `at` on replaced.
std::string Spliced(const std::string &bytes, size_t at, const std::string &tail) { return bytes.substr(0, at) + tail; }

// Owners inside owners, each the only child of the one before.
std::string NestedOwners(int32_t depth) {
    cScoreBytes b(kProgram);
    b.Header().Dictionary().Root(b.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 1);
    for (int32_t i = 0; i < depth; ++i) b.Child(11, b.OwnerSize(0, 0, 1, 1)).OwnerRecord(0, 0, 1, 1, 1);
    return b.Child(1, 2).PointRecord(0, 0).NoFonts().Bytes();
}

TEST_F(ScoreFileTest, MalformedFilesAreRefused) {
    const sSoundFile sound = MakeSoundFile();
    ASSERT_EQ(LoadBytes(sound.bytes), 0);
    ASSERT_EQ(DescribeTree(doc), "Window@0,0 0x0[Group@10,10 5x5[Point@11,12] Scaled@20,30 4x4]");

    auto withDictionary = [](const std::function<void(cScoreBytes &)> &dictionary) {
        cScoreBytes b(kProgram);
        b.Header();
        dictionary(b);
        return b.Root(b.OwnerSize(0, 0, 0, 0)).OwnerRecord(0, 0, 0, 0, 0).NoFonts().Bytes();
    };
    const std::string rootAt = sound.bytes.substr(0, sound.dictionaryEnd);
    const struct {
        const char *what;
        std::string bytes;
        bool notOurs;  // refused as "not a valid Pelmora file" rather than "Invalid stream"
    } cases[] = {
        {"cut inside the header", sound.bytes.substr(0, 30), true},
        {"cut inside the dictionary", sound.bytes.substr(0, 120), false},
        {"cut after the dictionary", sound.bytes.substr(0, sound.dictionaryEnd), false},
        {"cut inside a record", sound.bytes.substr(0, sound.scaledStart + 2), false},
        {"cut inside the font block", sound.bytes.substr(0, sound.bytes.size() - 3), false},
        {"no font block", sound.bytes.substr(0, sound.fontsStart), false},
        {"a record size past the end", Spliced(sound.bytes, sound.scaledStart - 2, std::string("\x00\x70", 2)), false},
        {"a root size past the end", Spliced(rootAt, sound.dictionaryEnd, std::string("\x0C\x00\xFF\x7F", 4)), false},
        {"highest below lowest", withDictionary([](cScoreBytes &b) { b.U16(17).U16(1); }), false},
        {"a dictionary as long as the id range",
         withDictionary([](cScoreBytes &b) { b.U16(0x8000).U16(0x7FFF).U16(0).U16(0); }), false},
        {"a class name past the end",
         withDictionary([](cScoreBytes &b) { b.U16(1).U16(1).U16(1).U16(0x7FFE).Raw("P\0o\0"); }), false},
        {"class defaults past the end",
         withDictionary([](cScoreBytes &b) { b.U16(1).U16(1).U16(1).Str("Point").U16(2).U16(0x7FFF); }), false},
        {"no class known", withDictionary([](cScoreBytes &b) { b.U16(1).U16(2).Entry(1, "Comet", 2).U16(0); }), false},
        {"a var-int that never ends", Spliced(sound.bytes, sound.scaledStart, std::string(40, '\x80')), false},
        {"a record size smaller than its fields",
         Spliced(sound.bytes, sound.scaledStart - 2, std::string("\x02\x00", 2) + sound.bytes.substr(sound.scaledStart)),
         false},
        {"more children than bytes",
         Spliced(rootAt, sound.dictionaryEnd, cScoreBytes(kProgram).Root(7).OwnerRecord(0, 0, 0, 0, 60000).Bytes()),
         false},
        {"100,000 nested owners", NestedOwners(100000), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        test::LogCapture boxes("score_file_malformed_boxes");
        RaisedErrors errors;
        EXPECT_EQ(LoadBytes(c.bytes), kFailed);
        if (c.notOurs) {
            EXPECT_EQ(boxes.Text(), kNotValid + "\r\n");
        } else {
            EXPECT_GE(errors.Count(), 1);
            EXPECT_EQ(errors.LastText(), u"Error in PointObj: Invalid stream");
        }
        // What was read before the fault stays; the document is whole.
        EXPECT_EQ(DescribeTree(doc).rfind("Window@0,0 0x0[", 0), 0u);
        EXPECT_EQ(gDocumentFlags, 0u);
    }
    // Nesting as deep as the limit is still read.
    ASSERT_EQ(LoadBytes(NestedOwners(255)), 0);
    EXPECT_EQ(doc->CountDescendants(), 256u);
}

}  // namespace

namespace {

// An owner of 65,535 children cannot be written: the save fails as a whole.
TEST_F(ScoreFileTest, ASaveWithARefusedRecordKeepsThePreviousFile) {
    const std::u16string path = folder + u"kept.pmr";
    SaveTheFirstVersion(doc, path);
    const std::string previous = test::ReadFileBytes(path);
    auto *big = new test::cListOwner(11);
    for (int32_t i = 0; i < 0xFFFF; ++i) {
        auto *child = new cPObjPoint;
        child->SetOwner(big);
        big->children.push_back(child);
    }
    doc->InsertChild(big);
    gDocumentFlags = 0x1;
    RaisedErrors errors;
    EXPECT_EQ(cPObjPoint::SaveFile(doc, path.c_str(), nullptr), kFailed);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.LastText(), u"Error in PointObj: Data size");
    EXPECT_EQ(gDocumentFlags, 0x1u);
    EXPECT_EQ(test::ReadFileBytes(path), previous);
    EXPECT_EQ(test::FolderEntries(folder), std::vector<std::u16string>{u"kept.pmr"});
}

}  // namespace
