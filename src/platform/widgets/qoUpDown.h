#pragma once
// The up-down control: two arrow buttons that step Position between Min and
// Max by Increment, repeating while held. Each step asks OnChanging (which may
// refuse it), moves, then reports OnClick with the button.
#include "platform/widgets/qoAutoRepeat.h"
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"

namespace qo {

enum TUDOrientation { udVertical, udHorizontal };
enum TUDBtnType { btNext, btPrev };

using TUDClickEvent = TqoEvent<void(TComponent* sender, TUDBtnType button)>;
using TUDChangingEvent = TqoEvent<void(TComponent* sender, bool& allowChange)>;

class TUpDown : public TCustomControl {
public:
    static constexpr int FirstRepeatDelay = 400;
    static constexpr int RepeatDelay = 100;

    explicit TUpDown(TComponent* owner);

    TUDOrientation Orientation() const { return fOrientation; }
    void SetOrientation(TUDOrientation orientation);
    int Min() const { return fMin; }
    int Max() const { return fMax; }
    int Position() const { return fPosition; }
    int Increment() const { return fIncrement; }
    // Min above Max raises EqoError; the position is clamped into the range.
    void SetRange(int min, int max);
    void SetMin(int min) { SetRange(min, fMax); }
    void SetMax(int max) { SetRange(fMin, max); }
    void SetPosition(int position);
    // An increment below 1 becomes 1.
    void SetIncrement(int increment);
    // Stepping past an end goes round to the other.
    bool Wrap = false;

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

    // The button at a point of the client area (the next one is up or right).
    bool ButtonAt(TPoint p, TUDBtnType& button) const;
    TRect ButtonRect(TUDBtnType button) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;

private:
    // False when freed meanwhile.
    bool Step(TUDBtnType button);
    void Release();

    TqoAlive fAlive;
    TqoAutoRepeat fRepeat{Handle(), FirstRepeatDelay, RepeatDelay};
    TUDOrientation fOrientation = udVertical;
    int fMin = 0, fMax = 100, fPosition = 0, fIncrement = 1;
    bool fPressed = false;
    TUDBtnType fPressedButton = btNext;
    bool fPressedShows = false;
};

} // namespace qo
