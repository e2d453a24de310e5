// Devices that receive window messages.  cMessageDvcBase holds what every
// window object needs whatever the window system: owner, enabled flag, the
// owned child controls and listeners, the event handler, the router that
// splits a message into handler calls, and the close protocol.  cMessageDvc
// adds the operations on its own window.
//
// The window system reaches these objects through one map from window handle
// to object (gWindowMap) and the two procedures built on DeliverWindowMessage
// and DeliverDialogMessage.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "foundation/vector_ptr.h"
#include "ui/graph_dvc.h"
#include "ui/message_ids.h"

class cGuiControl;
class cMessageDvcBase;
class cStringArray;
class cRadioButton;
class cCheckBox;
class cStaticText;
class cPushButton;
class cHelpButton;
class cFontButton;
class cTextInput;
class cListBox;
class cComboBox;
class cHorzScroll;
class cVertScroll;

// The event handler of a dialog or window: (control id, code, device, user
// data).  Codes: 0 click, 1 select, the scroll code of scroll bars, and the
// two below.
using tDialogEventHandler = int32_t (*)(uint32_t controlId, int32_t code, cMessageDvcBase *device, uint32_t data);
constexpr int32_t kDialogEventInit = 1028;   // once per control, after all are up
constexpr int32_t kDialogEventClose = 1030;  // before OK or Cancel; negative keeps the dialog

class cMessageDvcBase : public cGraphDvc {
public:
    cMessageDvcBase(cMessageDvcBase *owner, uint32_t id, uint32_t windowStyle, const char16_t *name,
                    uint32_t helpTopic);
    // Deletes the controls, then every listener once.  The own status bar is
    // left to the device that holds it, even when it also listens.
    ~cMessageDvcBase() override;

    // Device operations: Open registers with the top-level window before it
    // counts, Close unregisters first; drawing passes go through the child
    // controls first.
    tStatus Open() override;
    tStatus Close() override;
    tStatus PrepareDraw() override;
    tStatus ReleaseDraw() override;
    // Message devices write nothing at the pen.
    int32_t PutChar(char16_t) override { return 0; }
    // The own status bar, else the owner's.
    cDispDvcBase *GetStatusBar() override;
    // Takes the old status bar out of the listeners before deleting it.
    cDispDvcBase *CreateStatusBar(int32_t helpPart) override;
    // "name: Mouse=x,y".
    tStatus LogMousePos() override;

    virtual uint8_t SetEnabled(uint8_t flag);
    virtual uint8_t IsEnabled();
    // Brings one control up: owner, window, open, attach, show the value.
    virtual tStatus InitControl(cGuiControl *control);
    // Every control up, then kDialogEventInit for each.
    virtual tStatus InitControls();
    virtual tStatus LogState();
    // Both answer the previous value (the name as a temporary string).
    virtual const char16_t *SetName(const char16_t *text);
    virtual cMessageDvcBase *SetOwner(cMessageDvcBase *window);
    virtual cMessageDvcBase *GetFocusObject();
    // Answers the object that had the focus before.
    virtual cMessageDvcBase *TakeFocus();
    virtual tStatus SetFrameRect(int32_t x, int32_t y, int32_t width, int32_t height);
    // The listener list owns its members; an object added twice is told
    // twice.  RemoveListener hands the first entry back without deleting it.
    virtual cMessageDvcBase *AddListener(cMessageDvcBase *window);
    virtual cMessageDvcBase *RemoveListener(cMessageDvcBase *window);
    // The register of open windows lives in the top-level window; the others
    // pass these calls to their owner (0 or null without one).
    virtual cMessageDvcBase *RegisterWindow(cMessageDvcBase *window);
    virtual cMessageDvcBase *UnregisterWindow(cMessageDvcBase *window);
    virtual cMessageDvcBase *FindRegisteredWindow(cMessageDvcBase *window);
    // Makes the control's window; a dialog item already has one.
    virtual tStatus RealizeControl(cGuiControl *control);

    // The router: child controls first, then the handler of the message.
    // MSG_NOT_HANDLED sends a message on to the system's default handling.
    virtual tStatus OnMessage(uint32_t message, sWinMessage &record);
    virtual tStatus OnKey(uint16_t key, sWinMessage &record);
    // Asks CanClose; tells the listeners and closes the device unless it was
    // refused.  Answers the CanClose result.
    virtual tStatus OnClose(sWinMessage &record);
    // Asks each listener in turn; the first answer of 0 or more wins, RC_FAIL
    // when all refuse.
    virtual tStatus OnCommand(sWinMessage &record);
    virtual tStatus OnCreate(sWinMessage &record);
    // Mouse handlers take logical coordinates.
    virtual tStatus OnLeftDown(int32_t x, int32_t y, sWinMessage &record);
    virtual tStatus OnLeftUp(int32_t x, int32_t y, sWinMessage &record);
    virtual tStatus OnRightDown(int32_t x, int32_t y, sWinMessage &record);
    virtual tStatus OnRightUp(int32_t x, int32_t y, sWinMessage &record);
    virtual tStatus OnMouseMove(int32_t x, int32_t y, sWinMessage &record);
    // Moves both rectangles, then tells listeners and controls.
    virtual tStatus OnMove(int32_t dx, int32_t dy, sWinMessage &record);
    virtual tStatus OnPaint(sWinMessage &record);
    virtual tStatus OnDestroy(sWinMessage &record);
    virtual uint16_t FilterCode(uint16_t code);
    // Seen before OnMessage; the result is not used.
    virtual tStatus PreviewMessage(uint32_t message, sWinMessage &record);
    // Installs handler and data; answers the previous handler.
    virtual tDialogEventHandler SetEventHandler(tDialogEventHandler handler, uint32_t data);
    // RC_FAIL when no handler is installed.
    virtual tStatus CallEventHandler(uint32_t controlId, int32_t code);
    // In a dialog's translate mode, the editor of a clicked control's texts;
    // RC_FAIL (the click takes its normal course) everywhere else.
    virtual tStatus EditTranslation(cGuiControl *control, sWinMessage &record);
    // The name followed by "_text" or "_hint", as temporary strings.
    virtual const char16_t *GetTextKey();
    virtual const char16_t *GetHintKey();
    // The smallest of 0 and the listeners' answers.
    virtual tStatus CanClose();

    virtual uint32_t SetWindowStyle(uint32_t style);
    // Forwarded to the owner window, else the device's own font dialog.
    uint16_t ChooseFontDialog(uint16_t index) override;

    // Controls bound to program variables (ui/control_factory.cpp).  Each
    // factory makes the control with this window as owner, appends it to
    // the controls and answers it; the window owns it.
    virtual cRadioButton *NewRadioButton(uint32_t controlId, int32_t *variable, int32_t value);
    virtual cCheckBox *NewCheckBox(uint32_t controlId, int32_t *variable, int32_t mask);
    virtual cStaticText *NewStaticText(uint32_t controlId, std::u16string *text, int32_t centred);
    virtual cPushButton *NewPushButton(uint32_t controlId);
    virtual cHelpButton *NewHelpButton(uint32_t controlId, uint32_t topic);
    virtual cFontButton *NewFontButton(uint32_t controlId, uint16_t *fontIndex);
    virtual cTextInput *NewTextInput(uint32_t controlId, std::u16string *text, int32_t maxChars);
    // Entries from a null-ended array of texts, from a pointer to such an
    // array (read again at every showing) or from a string array; a page
    // size of 0 shows every entry.
    virtual cListBox *NewListBox(uint32_t controlId, const char16_t *const *entries, int32_t *selection,
                                 int32_t pageSize);
    virtual cListBox *NewListBoxIndirect(uint32_t controlId, const char16_t *const *const *entries,
                                         int32_t *selection, int32_t pageSize);
    virtual cListBox *NewListBoxFromList(uint32_t controlId, cStringArray *entries, int32_t *selection,
                                         int32_t pageSize);
    virtual cComboBox *NewComboBox(uint32_t controlId, const char16_t *const *entries, int32_t *selection,
                                   int32_t pageSize);
    virtual cComboBox *NewComboBoxIndirect(uint32_t controlId, const char16_t *const *const *entries,
                                           int32_t *selection, int32_t pageSize);
    virtual cComboBox *NewComboBoxFromList(uint32_t controlId, cStringArray *entries, int32_t *selection,
                                           int32_t pageSize);
    virtual cHorzScroll *NewHorzScroll(uint32_t controlId, int32_t *variable, int32_t minimum, int32_t maximum);
    virtual cVertScroll *NewVertScroll(uint32_t controlId, int32_t *variable, int32_t minimum, int32_t maximum);
    // The first control with that id; null when there is none.
    virtual cGuiControl *FindControl(uint32_t controlId);
    // The control with the second id tells the one with the first id about
    // its value changes.  0 also when the control is absent.
    virtual tStatus SetControlBuddy(uint32_t buddyId, uint32_t controlId);
    // RC_FAIL when there is no such control.
    virtual tStatus DisableControl(uint32_t controlId);
    virtual tStatus EnableControl(uint32_t controlId);
    // The control's value; 0 (null for the text) when there is no such
    // control.  The Set operations answer the previous value.
    virtual int32_t GetControlInt(uint32_t controlId);
    virtual const char16_t *GetControlText(uint32_t controlId);
    virtual int32_t SetControlInt(uint32_t controlId, int32_t value);
    virtual const char16_t *SetControlText(uint32_t controlId, const char16_t *text);
    // A template item without a control gets the default one: a push
    // button for OK and Cancel, a help button for Help, a centred static
    // text otherwise.  An item that has a control keeps it.
    virtual cGuiControl *AdoptDialogItem(uint32_t controlId, uint32_t style);
    // Every item of the window's template (RC_FAIL: no template here).
    virtual tStatus AdoptDialogItems();

    // Appends a control to the owned list and answers it.
    cGuiControl *AddControl(cGuiControl *control);
    lcVectorPtr<cGuiControl> &Controls() { return *controls; }
    const std::vector<cMessageDvcBase *> &Listeners() const { return listeners; }
    cMessageDvcBase *GetOwner() const { return owner; }
    uint32_t GetId() const { return id; }
    uint32_t GetWindowStyle() const { return windowStyle; }
    uint32_t GetHelpTopic() const { return helpTopic; }
    uint32_t GetCallbackData() const { return callbackData; }

protected:
    // The router's key and mouse branches: logged, then the handler.
    tStatus RouteKey(uint32_t message, sWinMessage &record);
    tStatus RouteMouse(uint32_t message, sWinMessage &record);
    // Writes "name: " and the key line.
    void LogKey(uint16_t key, uint32_t flags);
    void LogNamePrefix();
    // The logical point of a mouse message's lParam.
    void MousePoint(const sWinMessage &record, int32_t &x, int32_t &y);
    // Debug mode's diagnostic key (Shift with code 3): logs this window's
    // geometry instead of passing the key on.
    tStatus LogDiagnostics();
    // Replaces the own status bar, first taking the old one out of the
    // listeners, where a status bar also stands.  Windows hand their bar in
    // only this way: the device's plain setter is hidden here.
    cDispDvcBase *ReplaceStatusBar(cDispDvcBase *bar);
    void SetOwnStatusBar(cDispDvcBase *bar) { ReplaceStatusBar(bar); }

    uint8_t enabled = 1;
    uint32_t id;
    uint32_t windowStyle;
    cMessageDvcBase *owner;
    tDialogEventHandler eventHandler = nullptr;
    uint32_t callbackData = 0;
    std::unique_ptr<lcVectorPtr<cGuiControl>> controls;
    std::vector<cMessageDvcBase *> listeners;
    uint32_t helpTopic;
};

class cMessageDvc : public cMessageDvcBase {
public:
    using cMessageDvcBase::cMessageDvcBase;
    // Forgets the window's map entry when the object still has a handle.
    ~cMessageDvc() override;

    // The own window, else the owner's.
    tWindowHandle GetWindowHandle() override;
    // Also enables or disables the own window while the device is open.
    uint8_t SetEnabled(uint8_t flag) override;
    cMessageDvcBase *GetFocusObject() override;
    cMessageDvcBase *TakeFocus() override;
    // Also takes the frame and client rectangles and the client's screen
    // position from the window.
    tStatus Open() override;
    // The base close, then the window is destroyed.  Answers 0, or the
    // refusal when CanClose refused.
    tStatus OnClose(sWinMessage &record) override;
    // The window without owner ends the program (the quit message); the
    // handle is forgotten.
    tStatus OnDestroy(sWinMessage &record) override;
    // The window text as a temporary string; null when empty.
    virtual const char16_t *GetWindowTitle();
    virtual tStatus SetWindowTitle(const char16_t *text);
    // Adopts every child window with an id; in translate mode the ones
    // without an id are disabled, except in the framework's own dialogs.
    tStatus AdoptDialogItems() override;
};

// ---- The window map ---------------------------------------------------------

// Every window and dialog object by its handle.  Built before the program's
// entry runs and destroyed after it; both calls do nothing a second time.
extern std::map<tWindowHandle, cMessageDvcBase *> *gWindowMap;
void InitWindowMap();
void ExitWindowMap();
// The object of a handle, or null.
cMessageDvcBase *FindWindowObject(tWindowHandle window);
// Enters (or replaces) the object of a handle; removes a handle's entry.
void MapWindow(tWindowHandle window, cMessageDvcBase *object);
void UnmapWindow(tWindowHandle window);
size_t WindowMapCount();

// ---- Delivery ---------------------------------------------------------------

// The work of the window procedure, without the system's default handling:
// the keyboard-and-mouse window sees every WM_CHAR; a handle without an
// object answers MSG_NOT_HANDLED; otherwise PreviewMessage and OnMessage of
// the object, whose answer is returned.  Nothing touches the object after
// OnMessage returns (a handler may have deleted it).
tStatus DeliverWindowMessage(tWindowHandle window, uint32_t message, tWParam wParam, tLParam lParam);

// The work of the dialog procedure: 1 (TRUE) or 0 (FALSE) for the system's
// dialog manager.  deliver() runs the window procedure and answers its
// result; the dialog procedure passes one that adds the default handling.
using tWindowProcCall = intptr_t (*)(tWindowHandle window, uint32_t message, tWParam wParam, tLParam lParam);
intptr_t DeliverDialogMessage(tWindowHandle window, uint32_t message, tWParam wParam, tLParam lParam,
                              tWindowProcCall deliver);
