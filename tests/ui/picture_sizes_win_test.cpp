// The pictures' size table against the program's resources: every picture
// of the table loads through the GDI device by its name, in any case, at
// the table's size, and every bitmap among the resources is in the table.
// The native build answers pictures from the table alone.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "foundation/win32_win.h"
#include "tests/foundation/raised_errors.h"
#include "tests/test_support.h"
#include "ui/graph_dvc.h"
#include "ui/picture_sizes.h"

namespace {

// The program's resources are linked into the test program: the device
// loads from it as from the program while a test runs.  (A device takes
// the system object's instance when it is made, so this comes after.)
class ModuleResources {
public:
    ModuleResources() : saved(gModuleInstance) { gModuleInstance = GetModuleHandleW(nullptr); }
    ~ModuleResources() { gModuleInstance = saved; }

private:
    tInstanceHandle saved;
};

std::u16string Lower(const char16_t *name) {
    std::u16string out(name);
    for (char16_t &c : out) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return out;
}

TEST(PictureSizesWin, EveryPictureLoadsThroughTheDeviceAtItsTableSize) {
    cGraphDvc device(u"pictures");
    ModuleResources resources;
    test::RaisedErrors errors;
    ASSERT_GT(ProgramPictures().size(), 50u);
    for (const sPictureSize &picture : ProgramPictures()) {
        SCOPED_TRACE(test::Narrow(picture.name));
        for (const std::u16string &name : {std::u16string(picture.name), Lower(picture.name)}) {
            HBITMAP bitmap = device.LoadBitmapResource(name.c_str());
            ASSERT_NE(bitmap, nullptr);
            BITMAP info{};
            ASSERT_EQ(GetObjectW(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
            EXPECT_EQ(info.bmWidth, picture.width);
            EXPECT_EQ(info.bmHeight, picture.height);
            int32_t w = 0, h = 0;
            device.GetBitmapSize(bitmap, w, h);
            EXPECT_EQ(w, picture.width);
            EXPECT_EQ(h, picture.height);
            EXPECT_EQ(device.FreeBitmap(bitmap), RC_OK);
        }
    }
    EXPECT_EQ(errors.Count(), 0);
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    if (!IS_INTRESOURCE(name)) reinterpret_cast<std::set<std::u16string> *>(names)->insert(U(name));
    return TRUE;
}

TEST(PictureSizesWin, EveryBitmapOfTheResourcesIsInTheTable) {
    std::set<std::u16string> names;
    ASSERT_TRUE(EnumResourceNamesW(GetModuleHandleW(nullptr), RT_BITMAP, CollectName,
                                   reinterpret_cast<LONG_PTR>(&names)));
    EXPECT_EQ(names.size(), ProgramPictures().size());
    for (const std::u16string &name : names) EXPECT_GE(FindProgramPicture(name.c_str()), 0) << test::Narrow(name);
}

TEST(PictureSizesWin, AnUnknownNameLoadsNothingAndIsReported) {
    cGraphDvc device(u"pictures");
    ModuleResources resources;
    test::RaisedErrors errors;
    EXPECT_EQ(device.LoadBitmapResource(u"NoSuchBMap"), nullptr);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(FindProgramPicture(u"NoSuchBMap"), -1);
}

}  // namespace
