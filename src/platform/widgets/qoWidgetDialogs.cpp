#include "platform/widgets/qoWidgetDialogs.h"

#include "platform/widgets/qoMessageBox.h"
#include "platform/widgets/qoPopupMenu.h"
#include "platform/window/qoBackend.h"
#include "platform/window/qoModal.h"

namespace qo {

namespace {
class TMenuModal : public TModalLoop {
public:
    explicit TMenuModal(const TModalRecord& request) : fRequest(request) {
        for (const std::string& item : request.Items) fMenu.AddItem(item);
        fMenu.Popup(request.Point);
    }
    const TModalRecord& Request() const override { return fRequest; }
    bool Ended() const override { return !fMenu.IsOpen(); }
    void Answer(int answer) override {
        if (answer >= 0 && answer < fMenu.ItemCount()) fMenu.Choose(answer);
        fMenu.ClosePopup();
    }
    int Result() const override { return fMenu.ChosenIndex(); }
    TWinControl* Window() override { return &fMenu; }

private:
    TModalRecord fRequest;
    TPopupMenu fMenu{nullptr};
};

class TMessageBoxModal : public TModalLoop {
public:
    explicit TMessageBoxModal(const TModalRecord& request) : fRequest(request) {
        fBox.Setup(request.Text, request.Caption, request.Flags);
        const TRect screen = Backend().ScreenRect();
        fBox.SetBounds(screen.Left + (screen.Width() - fBox.Width()) / 2,
                       screen.Top + (screen.Height() - fBox.Height()) / 2, fBox.Width(), fBox.Height());
    }
    const TModalRecord& Request() const override { return fRequest; }
    bool Ended() const override { return fBox.Result() != 0; }
    void Answer(int answer) override { fBox.Answer(answer); }
    int Result() const override { return fBox.Result(); }
    TWinControl* Window() override { return &fBox; }

private:
    TModalRecord fRequest;
    TMessageBox fBox{nullptr};
};
} // namespace

void UseWidgetDialogs() {
    SetModalMaker([](const TModalRecord& request) -> std::unique_ptr<TModalLoop> {
        if (request.Kind == TModalRecord::mkPopupMenu) return std::make_unique<TMenuModal>(request);
        return std::make_unique<TMessageBoxModal>(request);
    });
}

} // namespace qo
