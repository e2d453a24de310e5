// Small horizontal sliders in the gaps of the status bar: each shows its
// value as the text of its part.  The volume slider sets the player's
// volume; the zoom slider's value is a staff-line spacing shown as the
// square of its ratio to the base value, the size of the drawn page.
#pragma once

#include <cstdint>
#include <string>

#include "ui/scroll_controls.h"

class cStatusBarBase;
class cVolumeControl;

// "Vol " + volume + "%".
std::u16string VolumeLabel(int32_t volume);
// "Zoom " + round((zoom / base)^2 x 100) + "%"; base 0 counts as 1.
std::u16string ZoomLabel(int32_t zoom, int32_t base);

class cStatusHSlider : public cHorzScroll {
public:
    // Placed at the right edge of the part, vertically centred, 100 x 12;
    // at the control's default place when the bar has no such part.
    cStatusHSlider(cStatusBarBase *bar, uint32_t controlId, int32_t *variable, int32_t minimum, int32_t maximum,
                   int32_t partIndex, cMessageDvcBase *scoreWindow);
    ~cStatusHSlider() override;

    // Scroll messages of this slider also update the part text and reach
    // the score window.
    tStatus OnMessage(uint32_t message, sWinMessage &record) override;
    tStatus ReleaseDraw() override;
    int32_t SetValueInt(int32_t value) override;
    virtual std::u16string GetLabel() = 0;

    int32_t GetPartIndex() const { return partIndex; }

protected:
    // Placed and brought up by the most derived constructor, once the value
    // and the label are ready.
    void Place(cStatusBarBase *bar);
    void ShowLabel();

    int32_t partIndex;
    cMessageDvcBase *scoreWindow;
};

// The slider's value, built before the slider that binds it.
struct sStatusSliderValue {
    explicit sStatusSliderValue(int32_t v) : value(v) {}
    int32_t value;
};

class cStatusVolume : private sStatusSliderValue, public cStatusHSlider {
public:
    static constexpr uint32_t kControlId = 28623;

    // The player may be null: the slider then only shows its value.
    cStatusVolume(cStatusBarBase *bar, int32_t partIndex, cVolumeControl *player, cMessageDvcBase *scoreWindow);
    ~cStatusVolume() override;

    tStatus ReleaseDraw() override;
    std::u16string GetLabel() override;

    int32_t GetVolume() const { return value; }

private:
    cVolumeControl *player;
};

class cStatusZoom : private sStatusSliderValue, public cStatusHSlider {
public:
    static constexpr uint32_t kControlId = 28622;

    cStatusZoom(cStatusBarBase *bar, int32_t partIndex, cMessageDvcBase *scoreWindow, int32_t baseValue,
                int32_t minimum, int32_t maximum);
    ~cStatusZoom() override;

    std::u16string GetLabel() override;

    int32_t GetZoom() const { return value; }

private:
    int32_t base;
};
