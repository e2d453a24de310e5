// Modal dialogs built from a template of the program's resources and
// controls bound to program variables.  A window makes the dialog
// (NewDialogBox), the caller adds one control per template item it binds,
// may install an event handler, runs Open and deletes the dialog.  OK and
// Cancel both store every control's value into its variable; Open answers 0
// only for OK, so callers bind copies and apply them after a successful Open.
//
// The dialog translates its title and its controls' texts and hints, writes
// one log line with its controls' values when it closes, and in translate
// mode turns a click on a control into the editor of that control's texts.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/gui_control.h"

// The framework's own dialogs: language choice, the two translation editors
// of dialog items and menu items, the tool-hint editor and the language
// file's header.
constexpr uint32_t kSelectLanguageDialogId = 28621;
constexpr uint32_t kTranslateDialogItemId = 28648;
constexpr uint32_t kTranslateToolHintId = 28649;
constexpr uint32_t kLanguageFileDialogId = 28650;
constexpr uint32_t kTranslateMenuSelectionId = 28651;

// The ids of the buttons that every dialog shares.
constexpr uint32_t kDialogOk = 1;
constexpr uint32_t kDialogCancel = 2;
constexpr uint32_t kDialogHelp = 9;

class cDialogBoxBase : public cMessageDvc {
public:
    cDialogBoxBase(cMessageDvcBase *owner, uint32_t templateId, uint32_t helpTopic);
    // A dialog that never closed leaves the register of open windows.
    ~cDialogBoxBase() override;

    // The window-system class runs the dialog; here there is nothing to do.
    tStatus Open() override { return RC_OK; }
    // Unregisters, stores every value, then the closing log line: the
    // prefix and each control's state.
    tStatus Close() override;
    // "Dialog_" + title + "<" + template id + ">:" without an end of line.
    tStatus LogState() override;
    // WM_INITDIALOG sets the dialog up, WM_COMMAND goes to OnCommand, the
    // rest to the router.
    tStatus OnMessage(uint32_t message, sWinMessage &record) override;
    // The controls first; then id 1 is OK and id 2 Cancel.
    tStatus OnCommand(sWinMessage &record) override;
    // A click on a control (in dialog client coordinates) in translate mode.
    tStatus OnLeftDown(int32_t x, int32_t y, sWinMessage &record) override;
    tStatus OnMouseMove(int32_t x, int32_t y, sWinMessage &record) override;
    // The translate-mode editor of a control's texts (dialog 28648); RC_FAIL
    // when translate mode is off or this is one of the framework's dialogs,
    // so that the click takes its normal course.
    tStatus EditTranslation(cGuiControl *control, sWinMessage &record) override;
    // "Dialog_<template id>_text" and "Dialog_<template id>_hint".
    const char16_t *GetTextKey() override;
    const char16_t *GetHintKey() override;

    // Ask the event handler (kDialogEventClose), store the values, close and
    // log.  RC_FAIL keeps the dialog open: a notification other than a
    // click, a veto of the handler, a failed store or the busy flag.
    virtual tStatus OnOk(sWinMessage &record);
    virtual tStatus OnCancel(sWinMessage &record);
    // 0 for a click record (notification 0), else RC_FAIL.
    virtual tStatus AcceptClick(sWinMessage &record);
    virtual uint32_t GetData() { return data; }
    // While set, OK and Cancel are refused; answers the previous flag.
    virtual uint32_t SetBusy(uint32_t flag);

    uint32_t GetTemplateId() const { return id; }

protected:
    // What WM_INITDIALOG does: open, controls up, template items adopted,
    // texts translated, translate mode's enabling.
    tStatus SetUp();
    // The steps OK and Cancel share; `tag` ends the closing log line.
    tStatus Finish(sWinMessage &record, const char16_t *tag);
    // The first control whose area holds the client point, or null.
    cGuiControl *ControlAt(int32_t x, int32_t y);

    uint32_t data = 0;
    uint32_t busy = 0;
    // Set when the translation editor took the command being handled.
    bool translationRan = false;
};

class cDialogBox : public cDialogBoxBase {
public:
    cDialogBox(cMessageDvcBase *owner, uint32_t templateId, uint32_t helpTopic);
    ~cDialogBox() override;

    // Runs the dialog modally: 0 when it ended with OK, RC_FAIL for Cancel
    // or when it could not be made.
    tStatus Open() override;
    // Owner-drawn items are painted on the item's context.
    tStatus OnMessage(uint32_t message, sWinMessage &record) override;
    // The base steps, then the dialog ends (1 for OK, 2 for Cancel).
    tStatus OnOk(sWinMessage &record) override;
    tStatus OnCancel(sWinMessage &record) override;
    uint32_t SetBusy(uint32_t flag) override { return cDialogBoxBase::SetBusy(flag); }

#if !defined(_WIN32)
    // Without a window system a dialog never shows: Open answers Cancel at
    // once and stores nothing.  A test installs a script to play the user:
    // Open then sets the dialog up, runs the script while the dialog is
    // "open", and answers as the dialog ended.  The script may drive the
    // controls (their item states, Command) and ends the dialog by
    // Command(1) or Command(2).  Answers the previous script.
    using tScript = std::function<void(cDialogBox &dialog)>;
    static tScript SetScript(tScript script);

    // WM_COMMAND of a control id with a notification code, through the
    // dialog's message handling; answers its result.
    tStatus Command(uint32_t controlId, uint32_t notification = 0);
    // 0 while running, else how the dialog ended (1 OK, 2 Cancel).
    int32_t GetEndCode() const { return endCode; }
    const char16_t *GetWindowTitle() override;
    tStatus SetWindowTitle(const char16_t *text) override;
    // The template's title, as the window would show it before translation.
    void SetTemplateTitle(const char16_t *text) { title = text ? text : u""; }
#endif

private:
    // Ends the modal run with that result.
    void EndRun(int32_t result);

#if !defined(_WIN32)
    int32_t endCode = 0;
    std::u16string title;
#endif
};
