// The roots of the device chain.  Every surface the program draws on and
// every window it shows is a device: printer pages, the score view, dialogs,
// controls, the status bar and the help viewer.  cDispDvcBase counts opens,
// keeps the device rectangle and the dirty flag; cDispDvc adds the window
// handle, the device context and the current message record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/base_defs.h"
#include "foundation/rectangle.h"
#include "foundation/vector_ptr.h"
#include "platform/os_handles.h"
#include "ui/win_message.h"

// The program's module instance, for loading cursors, bitmaps and icons.
extern tInstanceHandle gModuleInstance;

class cDispDvcBase {
public:
    cDispDvcBase(const char16_t *name, uint32_t kind);
    virtual ~cDispDvcBase();
    cDispDvcBase(const cDispDvcBase &) = delete;
    cDispDvcBase &operator=(const cDispDvcBase &) = delete;

    virtual const char16_t *GetName();
    virtual tStatus Attach();
    virtual tStatus PrepareDraw();
    virtual tStatus Open();
    virtual tStatus Close();
    virtual tStatus ReleaseDraw();
    // The open count, or DVC_NOT_OPEN while it is 0.
    virtual tStatus IsOpen();
    virtual const char16_t *Describe();
    virtual int32_t PutChar(char16_t c) = 0;
    // PutChar for each character; answers the sum of their results.
    virtual int32_t PutChars(const char16_t *text, uint16_t n);
    virtual void NewPage();
    virtual int32_t GetScreenX();
    virtual int32_t GetScreenY();
    virtual int32_t GetWidth();
    virtual int32_t GetHeight();
    // The device rectangle's point test: 0 inside, else its outside code.
    virtual tStatus HitTest(int32_t x, int32_t y);
    virtual void UseGrayBackground();
    virtual void UseNoBackground();
    virtual cDispDvcBase *GetStatusBar();
    // Deletes the owned status bar; windows make a new one.
    virtual cDispDvcBase *CreateStatusBar(int32_t helpPart);
    virtual const char16_t *GetRectText();
    virtual uint32_t SetRectFromText(const char16_t *text);

    bool IsDirty() const { return dirty != 0; }
    void MarkDirty() { dirty = 1; }
    int32_t OpenCount() const { return openCount; }
    uint32_t GetKind() const { return kind; }
    // Kinds with a window-system surface (bits 2 and 4); every display device.
    bool IsDisplayDevice() const { return (kind & (2 | 4)) != 0; }
    cRectangl &DeviceRect() { return deviceRect; }

protected:
    // Windows hand their status bar over here; the device owns it.
    void SetOwnStatusBar(cDispDvcBase *bar) { statusBar.reset(bar); }

    int32_t openCount = 0;
    uint32_t dirty = 0;
    cRectangl deviceRect{0, 0, 80, 25};
    std::unique_ptr<cDispDvcBase> statusBar;
    std::u16string name;
    uint32_t kind;
};

class cDispDvc : public cDispDvcBase {
public:
    // The name of a window-system resource: an integer id below 0x10000 kept
    // in the pointer itself, or a copy of a text owned by the holder.
    struct sWinResource : public mDataVal<const char16_t *> {
        sWinResource() = default;
        ~sWinResource() override;
        sWinResource(const sWinResource &) = delete;
        sWinResource &operator=(const sWinResource &) = delete;

        // Stores a copy of the text (nothing for null).  Answers the previous
        // id; a previous text is freed, so null stands for it.
        const char16_t *Set(const char16_t *text) override;
        // 0x80000000 with nothing stored, 0 for an id, else the code of the
        // text's first character.
        tStatus IsSet() const override;
        const char16_t *Assign(const char16_t *text) override { return Set(text); }
        // Stores an id in place of a text; answers as Set does.
        virtual const char16_t *SetId(uint16_t id);
        virtual const char16_t *AssignId(uint16_t id) { return SetId(id); }

        bool IsId() const { return value && reinterpret_cast<uintptr_t>(value) < 0x10000; }

    private:
        void FreeCopy();
    };

    explicit cDispDvc(const char16_t *name);

    int32_t PutChar(char16_t c) override { return 0; }

    virtual tWindowHandle GetWindowHandle();
    virtual void SetWindowHandle(tWindowHandle window);
    virtual void SetCurrentMessage(uint32_t message, tWParam wParam, tLParam lParam);
    virtual sWinMessage &GetCurrentMessage();

    tDcHandle GetHeldDC() const { return deviceContext; }
    // Hands in a context to draw on (a paint context, a printer page); the
    // device does not release it.  Answers the previous one.
    tDcHandle SetDeviceContext(tDcHandle dc) {
        tDcHandle previous = deviceContext;
        deviceContext = dc;
        return previous;
    }

protected:
    tWindowHandle windowHandle = nullptr;
    tDcHandle deviceContext = nullptr;
    sWinMessage currentMessage;
};
