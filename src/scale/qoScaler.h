#pragma once
// The time-scale header of the charts. It owns the visible time range, is the
// only converter between dates and pixels for the chart it heads, and draws two
// rows of scale marks. Hidden weekdays and hours take no pixels: the mapping is
// piecewise linear over visible time, anchored at the short scale marks.
#include "platform/core/qoDateTime.h"
#include "platform/window/qoTimer.h"
#include "scale/qoOffscreenPaint.h"

#include <memory>
#include <string>
#include <vector>

namespace qo {

enum TqoHiddenHoursEnum { thh00 = 0, thh23 = 23 };
enum TqoHiddenDaysEnum { thdSUN = 0, thdMON, thdTUE, thdWED, thdTHU, thdFRI, thdSAT };
// Sets: bit n stands for hour n, or for weekday n (Sunday = 0).
using TqoHiddenHours = uint32_t;
using TqoHiddenDays = uint32_t;

enum TScalerFont { sTextFont1 = 0, sTextFont2 = 1, sTextFont3 = 2 };
enum TLookAndFeel { tlfClassic = 0, tlfBoxed = 1 };
enum TScrollButtons { tsbClassic = 0, tsbSmall = 1, tsbOff = 2 };
enum TIndicatorStyle { isNone = 0, isNormal = 1, isColorfull = 2, isSober = 3 };

struct TScaleMark {
    bool LongNotShort = false;
    TDateTime DateTime = 0;
    double Pixel = 0;
    std::string PresString;
    TScalerFont ScalerFont = sTextFont1;
    // The interval from this mark to the next holds no visible time.
    bool Hidden = false;
    std::string SubShortStr;
    TScalerFont SubShortScalerFont = sTextFont1;
};

// The resolution levels, also the steps of the scale marks. Steps are compared
// for exact equality, so these are the only spellings of them. The calendar
// steps are the day counts from 0001-01-01 to 0001-01-28, 0001-03-28,
// 0002-01-01, 0011-01-01, 0021-01-01 and 0101-01-01.
namespace ScaleStep {
inline constexpr double Tenth = 10.0 / MSecsPerDay;
inline constexpr double Second = 1000.0 / MSecsPerDay;
inline constexpr double TenSeconds = 10000.0 / MSecsPerDay;
inline constexpr double Minute = 60000.0 / MSecsPerDay;
inline constexpr double TenMinutes = 600000.0 / MSecsPerDay;
inline constexpr double Hour = 3600000.0 / MSecsPerDay;
inline constexpr double Day = 1.0;
inline constexpr double Week = 7.0;
inline constexpr double Month = 27.0;
inline constexpr double Quarter = 86.0;
inline constexpr double Year = 365.0;
inline constexpr double TenYears = 3652.0;
inline constexpr double TwentyYears = 7305.0;
inline constexpr double HundredYears = 36524.0;
} // namespace ScaleStep

class TqoDateScaler;
using TOnLimitScaling = TqoEvent<bool(TComponent* sender, TDateTime start, TDateTime stop, double scale)>;
using TOnUserStringEvent = TqoEvent<void(TDateTime date, double step, std::string& label, TScalerFont& font)>;
using TOnInfoStringEvent = TqoEvent<void(std::string& text, TScalerFont& font)>;
using TOnScalerUserDraw = TqoEvent<void(TqoDateScaler* scaler, TCanvas& canvas, const TRect& rect)>;
using TAnimationPause = TqoEvent<void()>;

// The message a scaler posts to itself to report a range change after a repaint.
constexpr UINT QO_SCALER_CHANGE = 3022;

class TqoDateScaler : public TqoOffscreenPaint {
public:
    explicit TqoDateScaler(TComponent* owner);
    ~TqoDateScaler() override;

    // The range.
    TDateTime Start() const { return fStart; }
    TDateTime Stop() const { return fStop; }
    void SetStart(TDateTime value);
    void SetStop(TDateTime value);
    TDateTime MinStart() const { return fMinStart; }
    TDateTime MaxStop() const { return fMaxStop; }
    void SetMinStart(TDateTime value) { fMinStart = value; }
    void SetMaxStop(TDateTime value) { fMaxStop = value; }
    bool CheckIfOkStartStop(TDateTime start, TDateTime stop) const;
    // The range with what its next repaint would adjust or report: a caller that
    // shows another range for a moment (printing) puts it back unnoticed.
    struct TRangeState {
        TDateTime Start, Stop, StopOnLastDraw;
        double OldScale;
        bool WasResized, ReportPending;
    };
    TRangeState SaveRangeState() const;
    // After the size was put back too.
    void RestoreRangeState(const TRangeState& state);
    // Visible time per pixel; 0 without a usable length.
    double Scale();
    double GetScale() { return Scale(); }
    virtual void SetScale(double scale);
    // Rescales so that date stays at pixel.
    virtual void SetCenterScale(double scale, TDateTime date, int pixel);
    virtual int GetScaleLen();
    double VisibleTimeAmount();

    // The mapping; pixels count from the scaler's start edge.
    int DateToPixel(TDateTime date);
    TDateTime PixelToDate(int pixel);
    double DateDiffToPixelLength(TDateTime a, TDateTime b);
    virtual double PixelLenToDate(double pixels);
    virtual int TimeToPixel(TDateTime time);

    // Hidden time.
    double DateDiffToVisibleTime(TDateTime a, TDateTime b);
    TDateTime VisibleTimeDiffToTrueTime(TDateTime base, double visible);
    TDateTime VisibleTimeToTrueTime_High(TDateTime value) const;
    TDateTime VisibleTimeToTrueTime_Low(TDateTime value) const;
    bool IsHiddenDay(TDateTime day) const;
    bool IsHiddenHour(int hour) const { return hour >= 0 && hour < 32 && (fHiddenHours >> hour) & 1; }
    int GetHiddenHourCount() const { return fHiddenHoursCount; }
    int GetHiddenDayCount() const { return fHiddenDaysCount; }
    double VisibleTimeForDay(TDateTime day) const;
    double VisibleTimeForWeek();
    double VisibleTimeForPartOfDay(TDateTime day, double length, TDateTime start) const;
    TqoHiddenDays HiddenDays() const { return fHiddenDays; }
    TqoHiddenHours HiddenHours() const { return fHiddenHours; }
    void SetHiddenDays(TqoHiddenDays days);
    void SetHiddenHours(TqoHiddenHours hours);

    // Animated rescaling; AnimationPause runs between the steps.
    void AnimateScaleTransition(double endScale, int steps);
    void AnimateScaleTransition(TDateTime endStart, TDateTime endStop, int steps);
    TAnimationPause AnimationPause;

    // Continuous scrolling on the program's request (a bar dragged beyond an edge).
    void StartStepUp();
    void StartStepDown();
    void StopStep();
    bool Stepping() const { return fAutScrollStarted; }

    void BeginUpdate() override;
    void EndUpdate() override;
    void CallChange() { OnChange.Fire(this); }
    void Print(TqoDC& dc, int x, int y, double scalex, double scaley, bool updateBounds) override;

    // Marks and labels.
    void CalcDrawMode();
    static double StepFork(double span, std::string& name);
    TDateTime Snap(TDateTime date, double step);
    static double GetAdaptiveStep(TDateTime date, double step);
    int GetWeekNum(TDateTime date, int& yearShift) const;
    TDateTime FirstWeekOfYear(TDateTime date) const;
    TDateTime TruncToFirstDayOfWeek(TDateTime date) const;
    std::string GetWeekString(TDateTime date, bool shortForm) const;
    static int DateToQuarter(TDateTime date);
    int GetOddOrEventStartForVerticalBack() const { return fOddOrEven; }
    const std::vector<int>& ShortLinePos() const { return fShortLinePos; }
    const std::vector<int>& LongLinePos() const { return fLongLinePos; }
    const std::vector<TScaleMark>& ShortMarks() const { return fShortScaleMarkDrawList; }
    const std::vector<TScaleMark>& LongMarks() const { return fLongScaleMarkDrawList; }
    double SmallStep() const { return fSmallStep; }
    double LongStep() const { return fLongStep; }
    double DrawStep() const { return fDrawStep; }
    double CtrlStep() const { return fCtrlStep; }
    const std::string& SmallStepName() const { return fSmallStepName; }
    const std::string& LongStepName() const { return fLongStepName; }

    // Properties.
    bool Horizontal() const { return fHorizontal; }
    void SetHorizontal(bool value);
    bool RescaleWithCtrl = false;
    double ZoomFactor = 0.9;
    int PixelsForModeSwitch() const { return fPixelsForModeSwitch; }
    void SetPixelsForModeSwitch(int value);
    TFont& TextFont(TScalerFont which) { return fTextFonts[which]; }
    void SetTextFont(TScalerFont which, const TFont& font);
    std::string DateFormat, TimeFormat;
    bool WeekNumbers = false;
    std::string WeekPrefix = " w ";
    std::string WeekYearFormat = "YYYY";
    std::string QuarterPrefix = " Q";
    int FirstDayOfWeek = 2;
    bool LongDatesToLeftEnd = false;
    TLookAndFeel LookAndFeel() const { return fLookAndFeel; }
    void SetLookAndFeel(TLookAndFeel value);
    TScrollButtons ScrollButtons() const { return fScrollButtons; }
    void SetScrollButtons(TScrollButtons value);
    bool VerticalText = true;
    bool IndicatorOn = true;
    TIndicatorStyle IndicatorStyle = isNormal;
    TRect UpButtonRect() const { return fUpButtonRect; }
    TRect DownButtonRect() const { return fDownButtonRect; }
    TTimer& ScrollTimer() { return *fScrollTimer; }
    bool ReScaling() const { return fReScaling; }

    TNotifyEvent OnChange, OnAnimateChange;
    TOnLimitScaling OnLimitScaling;
    TOnUserStringEvent OnUserStringShort, OnUserStringLong, OnUserStringShortSub;
    TOnInfoStringEvent OnInfoStringEvent;
    TOnScalerUserDraw OnUserDrawBackground, OnUserDrawForeground;

    void WndProc(TMessage& message) override;

protected:
    void OffscreenPaint() override;
    void BoundsChanged(bool resized) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void ScrollButtonPressed(TComponent* sender);
    bool RescaleNotPan(TShiftState shift) const { return bool(shift & ssCtrl) == RescaleWithCtrl; }

private:
    // Mapping helpers.
    double MappingLength();
    double AxisPrintScale() const { return fHorizontal ? Scalex() : Scaley(); }
    void RangeChanged();
    // Sets the stop for the scale; false, with the range put back, below the minimum span.
    bool ScaleKeepingStart(double scale);
    void ResetToOneDay();
    void HandleFixedScaleResizing();
    void CountHidden();
    void SetHidden(uint32_t& set, uint32_t value, const int& count, int all);
    // Marks.
    void BuildRow(std::vector<TScaleMark>& row, double step, bool longRow);
    void CalcOddOrEven();
    void GetApprioateStringShort(TScaleMark& mark, double step);
    void GetApprioateStringLong(TScaleMark& mark, double step);
    // Mouse.
    void Pan(int distance);
    void Rescale(int distance);
    bool CursorOverButtons() const;
    void StartStep(bool addTime);
    void EndDrag();
    // Painting.
    void PaintTicks();
    void PaintLabels();
    void PaintRow(const std::vector<TScaleMark>& row, bool longRow);
    void PaintBoxes();
    // A line given along and across the time axis.
    void AxisLine(int along1, int along2, int across1, int across2);
    void PaintScrollButtons();
    void PaintButton(const TRect& r, bool forward, bool pressed);
    void PaintIndicator();
    void PaintNormalIndicator();
    void PaintColorfulIndicator();
    void PaintSoberIndicator();
    // The indicator text as the owner wants it, with its font selected.
    std::string PrepareInfo(std::string text, bool rotate);
    TPoint InfoPosition() const;
    void SelectFont(TScalerFont which, bool rotate);
    int Along(const TScaleMark& mark) const;
    void ReportChangeAfterPaint();

    TDateTime fStart, fStop;
    TDateTime fMinStart = 0;
    TDateTime fMaxStop;
    bool fHorizontal = false;
    TqoHiddenHours fHiddenHours = 0;
    TqoHiddenDays fHiddenDays = 0;
    int fHiddenHoursCount = 0, fHiddenDaysCount = 0;
    double fVisibleTimeForWeek = 7;
    bool fVisibleTimeForWeekOutOfDate = true;
    TDateTime fOldStart = -1, fOldStop = -1;
    double fVisibleTimeAmount = 0;
    double fCtrlStep = 1.0;
    int fPixelsForModeSwitch = 15;
    // Mouse drag.
    bool fDown = false;
    int fDownX = 0, fDownY = 0, fDownPix = 0;
    TDateTime fDownDate = 0;
    double fDownScale = 0;
    TShiftState fShift = 0;
    int64_t fMouseDownTime = 0;
    bool fReScaling = false;
    TRect fUpButtonRect{-1, -1, -1, -1}, fDownButtonRect{-1, -1, -1, -1};
    bool fScrollSUBTIME = false, fScrollADDTIME = false, fAutScrollStarted = false;
    TTimer* fScrollTimer;
    bool fWasResized = false;
    double fOldScale = 0;
    TDateTime fStopOnLastDraw = -1;
    // While printing: the on-screen length that the printed marks scale from.
    int fPrintScaleLen = 0;
    bool fCallOnChangeWhenRefreshed = false;
    // Marks.
    std::vector<TScaleMark> fShortScaleMarkDrawList, fLongScaleMarkDrawList;
    std::vector<int> fShortLinePos, fLongLinePos;
    double fSmallStep = 0, fLongStep = 0, fDrawStep = 0;
    std::string fSmallStepName, fLongStepName;
    TFont fTextFonts[3];
    TLookAndFeel fLookAndFeel = tlfClassic;
    TScrollButtons fScrollButtons = tsbClassic;
    int fOddOrEven = 0;
};

} // namespace qo
