// The registry of the score's classes: the notation catalogue with the
// staff family and the score plugged in.  The score window and the tests
// build it here.
#pragma once

// Gives the catalogue the makers of the staff family and the score
// (idempotent).
void RegisterStaffClasses();
// RegisterStaffClasses, then the catalogue's registry build.
void CreateScoreRegistry();
