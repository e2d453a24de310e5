#include "ui/help_engine.h"

namespace {
cHelpEngine *gEngine = nullptr;
}

cHelpEngine &GetHelpEngine() { return gEngine ? *gEngine : SystemHelpEngine(); }

cHelpEngine *SetHelpEngine(cHelpEngine *engine) {
    cHelpEngine *previous = gEngine;
    gEngine = engine;
    return previous;
}
