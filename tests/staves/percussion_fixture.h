// What the percussion-set tests share: the staff fixture with no set in the
// settings and none compiled, the settings file named inside a folder of
// the test's own, and helpers that store and show the sets of the settings.
// The settings are the test program's, so the fixture leaves them as it
// found them.
#pragma once

#include <string>

#include "platform/ini_file.h"
#include "platform/op_sys_base.h"
#include "staves/percussion_sets.h"
#include "tests/staves/staff_fixture.h"
#include "tests/test_support.h"

namespace test {

class PercussionTest : public StaffTest {
protected:
    void SetUp() override {
        StaffTest::SetUp();
        keptFileName = Settings().GetFileName();
        folder = MakeTempFolder("percussion_sets");
        Settings().SetFileName((folder + u"PelmoraSetup.ini").c_str());
        ClearSets();
    }
    void TearDown() override {
        ClearSets();
        Settings().SetFileName(keptFileName.c_str());
        RemoveTree(folder);
        StaffTest::TearDown();
    }

    static cIniFile &Settings() { return gOpSys->Settings(); }
    static void ClearSets() {
        while (Settings().RemoveSection(u"Percussion", nullptr) >= 0) {
        }
        gPercussionSets.DeleteAll();
    }
    // Instrument[position] = instrument in the set's section of the kind.
    static void Store(const char16_t *set, int32_t kind, int32_t position, const char16_t *instrument) {
        cIniFile *node = cPercussionSetup::FindSetNode(set, kind, 1);
        ASSERT_NE(node, nullptr);
        node->SetValue(node->MakeIndexedKey(u"Instrument", position), instrument);
    }
    // The instrument stored at the position, "" when none.
    static std::u16string Stored(const char16_t *set, int32_t kind, int32_t position) {
        cIniFile *node = cPercussionSetup::FindSetNode(set, kind, 0);
        const char16_t *value = node ? node->GetValue(node->MakeIndexedKey(u"Instrument", position)) : nullptr;
        return value ? value : u"";
    }
    // The same as the settings file on disk holds it; "(no file)" when the
    // file cannot be read.
    static std::u16string StoredInFile(const char16_t *set, const char16_t *kindName, int32_t position) {
        cIniFile file;
        if (file.Load(Settings().GetFileName().c_str()) != RC_OK) return u"(no file)";
        cIniFile *found = file.FindFirstSection(u"Percussion", set);
        cIniFile *node = found ? found->FindFirstSection(u"NoteHead", kindName) : nullptr;
        const char16_t *value = node ? node->GetValue(node->MakeIndexedKey(u"Instrument", position)) : nullptr;
        return value ? value : u"";
    }
    // Every set of the settings in the text form, in order.
    static std::u16string SetsText() {
        std::u16string text;
        for (cIniFile *set : Settings().Children())
            if (set && set->GetTag() == u"Percussion") set->WriteSection(text);
        return text;
    }

    std::u16string folder;

private:
    std::u16string keptFileName;
};

}  // namespace test
