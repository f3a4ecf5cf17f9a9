#pragma once
// The chart's hint: information about the item under the pointer, shown after
// the pointer rested on it for a second and hidden again after five, either
// below its owner or at a fixed place over it. Move information during a drag
// shows at once.
#include "platform/widgets/qoHintWindow.h"
#include "platform/window/qoTimer.h"

namespace qo {

class TqoExposable;
class TGraphHintWindow;

// Asks for the text about an object; the handler sets the window's caption.
using TOnUpdateTextEvent = TqoEvent<void(TGraphHintWindow* sender, TqoExposable* object)>;

class TGraphHintWindow : public THintWindow {
public:
    // Positions are relative to the owner's client area when it is a control.
    explicit TGraphHintWindow(TComponent* owner);
    ~TGraphHintWindow() override;

    bool StaticPos() const { return fStaticPos; }
    void SetStaticPos(bool on) { fStaticPos = on; }
    // The fixed place, relative to the owner's client origin (its size too).
    const TRect& StaticPosRect() const { return fStaticPosRect; }
    void SetStaticPosRect(const TRect& bounds) { fStaticPosRect = bounds; }
    bool ShowBelowOwner() const { return fShowBelowOwner; }
    void SetShowBelowOwner(bool on) { fShowBelowOwner = on; }
    TOnUpdateTextEvent OnUpdateTextEvent;

    // A new object restarts the wait and asks for its text; nil hides the hint.
    void ShowSlowHintFor(TqoExposable* object, int x, int y);
    // The three texts on three lines, shown at once.
    void ShowMoveInfo(const std::string& text1, const std::string& text2, const std::string& text3, int x, int y);
    void ShowDirect(int x, int y);

    TTimer& ShowTimer() { return *fShowTimer; }
    TTimer& HideTimer() { return *fHideTimer; }

private:
    void DoShow(TComponent*);
    void DoHide(TComponent*);
    void DoShowAsync(void*);
    void DoHideAsync(void*);
    // Static place or SetPos; moves the hint when it shows.
    void Place(int x, int y);
    TRect StaticBounds() const;
    TRect BoundsAt(int x, int y) const;
    TControl* OwnerControl() const { return dynamic_cast<TControl*>(Owner()); }
    TPoint OwnerOrigin() const;
    bool ParentFormActive() const;

    TTimer* fHideTimer;
    TTimer* fShowTimer;
    TqoExposable* fHintObject = nullptr;
    bool fStaticPos = false;
    TRect fStaticPosRect;
    bool fShowBelowOwner = true;
};

} // namespace qo
