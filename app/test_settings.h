// The settings with which tests drive the real program, read from the
// environment at start-up (the table in app/test_settings_win.cpp lists
// each with what it does).  Without them the program behaves as it ships.
#pragma once

class cOpSysVirtual;

void ApplyTestSettings(cOpSysVirtual &opSys);
