// The program's one help viewer, owned by the operating-system object.  It
// shows topics of the help file through the help engines and remembers the
// window that asked first, so that the window's help can close with it.  It
// has no window of its own.
#pragma once

#include <cstdint>
#include <string>

#include "ui/message_dvc.h"

class cViewHelpBase : public cMessageDvc {
public:
    cViewHelpBase();
    ~cViewHelpBase() override = default;

    // Stores the path, in the program's folder when it names none; answers
    // the old path as a temporary string.
    virtual const char16_t *SetHelpFile(const char16_t *path);
    virtual tStatus ShowHelp(cMessageDvcBase *window, uint32_t topic, const char16_t *file) = 0;
    virtual tStatus ShowTopic(cMessageDvcBase *window, uint32_t topic);
    // The help file's start page.
    virtual tStatus ShowTopicId(cMessageDvcBase *window);
    virtual tStatus CloseHelp() = 0;
    virtual const char16_t *GetHelpExtension();

    const std::u16string &GetHelpFile() const { return helpFile; }
    // The window recorded by the first successful ShowHelp; null after CloseHelp.
    cMessageDvcBase *GetRecordedWindow() const { return owner; }

protected:
    std::u16string helpFile;
};

class cViewHelp : public cViewHelpBase {
public:
    cViewHelp();
    ~cViewHelp() override;

    tStatus ShowHelp(cMessageDvcBase *window, uint32_t topic, const char16_t *file) override;
    tStatus CloseHelp() override;
    const char16_t *GetHelpExtension() override;
};

// Frees hhctrl.ocx when it is loaded; the top-level window calls it when
// it is destroyed.
void UnloadHtmlHelp();
