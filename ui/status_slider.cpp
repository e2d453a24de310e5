#include "ui/status_slider.h"

#include <cmath>

#include "foundation/text_util.h"
#include "foundation/volume_control.h"
#include "ui/status_bar.h"

std::u16string VolumeLabel(int32_t volume) { return u"Vol " + FormatInt(volume) + u"%"; }

std::u16string ZoomLabel(int32_t zoom, int32_t base) {
    float ratio = float(zoom) / float(base ? base : 1);
    double scaled = std::floor(double(ratio * ratio * 100.0f) + 0.5);
    uint32_t percent = scaled <= 0 ? 0u : scaled >= 4294967295.0 ? 0xFFFFFFFFu : uint32_t(scaled);
    return u"Zoom " + FormatUnsigned(percent) + u"%";
}

cStatusHSlider::cStatusHSlider(cStatusBarBase *bar, uint32_t controlId, int32_t *variable, int32_t minimum,
                               int32_t maximum, int32_t part, cMessageDvcBase *score)
    : cHorzScroll(bar, controlId, variable, minimum, maximum), partIndex(part), scoreWindow(score) {}

void cStatusHSlider::Place(cStatusBarBase *bar) {
    if (!bar) return;
    if (cStatusBarBase::cPart *p = bar->GetPart(partIndex))
        SetFrameRect(p->GetRight(), (bar->GetHeight() - 12) / 2, 100, 12);
    bar->AddControl(this);
    bar->InitControl(this);
}

cStatusHSlider::~cStatusHSlider() = default;

void cStatusHSlider::ShowLabel() {
    if (!owner) return;
    // The bar the frame shows; a bar not yet handed to a window shows its
    // own sliders.
    auto *bar = dynamic_cast<cStatusBarBase *>(owner->GetStatusBar());
    if (!bar) bar = dynamic_cast<cStatusBarBase *>(owner);
    if (bar) {
        std::u16string label = GetLabel();
        bar->SetPartText(partIndex, label.c_str());
    }
}

tStatus cStatusHSlider::OnMessage(uint32_t message, sWinMessage &record) {
    tStatus result = cHorzScroll::OnMessage(message, record);
    tWindowHandle own = GetWindowHandle();
    if (message == kMsgHScroll && own && record.lParam == reinterpret_cast<tLParam>(own)) {
        ReleaseDraw();
        if (scoreWindow) scoreWindow->OnMessage(message, record);
    }
    return result;
}

tStatus cStatusHSlider::ReleaseDraw() {
    tStatus result = cHorzScroll::ReleaseDraw();
    ShowLabel();
    return result;
}

int32_t cStatusHSlider::SetValueInt(int32_t value) {
    int32_t previous = cHorzScroll::SetValueInt(value);
    ShowLabel();
    return previous;
}

cStatusVolume::cStatusVolume(cStatusBarBase *bar, int32_t part, cVolumeControl *musicPlayer, cMessageDvcBase *score)
    : sStatusSliderValue(50), cStatusHSlider(bar, kControlId, &value, 0, 100, part, score), player(musicPlayer) {
    Place(bar);
}

cStatusVolume::~cStatusVolume() = default;

tStatus cStatusVolume::ReleaseDraw() {
    tStatus result = cStatusHSlider::ReleaseDraw();
    if (player) player->SetVolume(value);
    return result;
}

std::u16string cStatusVolume::GetLabel() { return VolumeLabel(value); }

cStatusZoom::cStatusZoom(cStatusBarBase *bar, int32_t part, cMessageDvcBase *score, int32_t baseValue,
                         int32_t minimum, int32_t maximum)
    : sStatusSliderValue(baseValue), cStatusHSlider(bar, kControlId, &value, minimum, maximum, part, score),
      base(baseValue) {
    Place(bar);
}

cStatusZoom::~cStatusZoom() = default;

std::u16string cStatusZoom::GetLabel() { return ZoomLabel(value, base); }
