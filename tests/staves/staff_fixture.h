// What the staff tests share: the score's registry (the catalogue with the
// real staff classes) on a test score window with an empty score as the
// current document, the staffs' class-wide state and the running context
// reset before each test, and the symbol tests' check that no symbol
// outlives a test.
#pragma once

#include <memory>

#include "notation/symbol_catalogue.h"
#include "notation/symbol_classes.h"
#include "staves/part_templates.h"
#include "staves/score_object.h"
#include "staves/score_registry.h"
#include "staves/staff.h"
#include "tests/document/symbol_fixture.h"

namespace test {

class StaffTest : public SymbolTest {
protected:
    void SetUp() override {
        SymbolTest::SetUp();
        ResetStaffState();
    }
    void TearDown() override {
        root.reset();
        SymbolTest::TearDown();
        window.reset();
        ResetStaffState();
    }

    // Builds the registry on the window (a plain test score window when
    // null), which stays the current score window for the test, and makes
    // the score the current document.
    void Build(std::unique_ptr<cTestScoreWindow> on = nullptr) {
        window = on ? std::move(on) : std::make_unique<cTestScoreWindow>();
        CreateScoreRegistry();
        root = std::make_unique<ScoreObject>(window.get());
    }

    // A new staff with its top line at the y, placed by the score (a free
    // staff, or a staff of the system at that place).
    StaffObject *AddStaffAt(int32_t top) {
        auto *staff = new StaffObject;
        staff->SetPosition(0, top);
        EXPECT_TRUE(root->InsertChild(staff));
        return staff;
    }

    // A new symbol of the class at (x, y) on the staff; null, and a test
    // failure, when the class cannot be made.  The staff must take it.
    static cPObjPoint *PutOn(StaffObject *staff, int16_t classId, int32_t px, int32_t py) {
        cPObjBase *made = cPObjBase::NewById(classId);
        auto *obj = dynamic_cast<cPObjPoint *>(made);
        EXPECT_NE(obj, nullptr) << classId;
        if (!obj) {
            delete made;
            return nullptr;
        }
        obj->SetPosition(px, py);
        EXPECT_TRUE(staff->InsertChild(obj)) << classId;
        return obj;
    }

    // The class-wide state of a fresh run.
    static void ResetStaffState() {
        delete gStaffTemplates;
        gStaffTemplates = nullptr;
        gCurrentTemplateIndex = 0;
        gScoreStaffFlags = 0;
        gPartNameFont = -1;
        gNoteGrid = 0;
        gBarNumberMode = 0;
        gPendingBar = nullptr;
        gStaffClefGap = 4;
        gStaffKeyGap = 6;
        gStaffDefaultClef = 101;
        gStaffDefaultKey = 103;
        gStaffDefaultTime = 0x402;
        gMusicState = sMusicState();
    }

    std::unique_ptr<cTestScoreWindow> window;
    std::unique_ptr<ScoreObject> root;
};

}  // namespace test
