#include "platform/window/qoModal.h"

#include "platform/window/qoBackend.h"
#include "platform/window/qoDialogs.h"
#include "platform/window/qoMessageQueue.h"

namespace qo {

int DefaultAnswer(const TModalRecord& request) {
    return request.Kind == TModalRecord::mkMessageBox ? FirstButtonOf(request.Flags) : -1;
}

namespace {
// A piece without a window: it has ended before it starts.
class TWindowlessModal : public TModalLoop {
public:
    explicit TWindowlessModal(const TModalRecord& request) : fRequest(request), fResult(DefaultAnswer(request)) {}
    const TModalRecord& Request() const override { return fRequest; }
    bool Ended() const override { return true; }
    void Answer(int answer) override { fResult = answer; }
    int Result() const override { return fResult; }
    TWinControl* Window() override { return nullptr; }

private:
    TModalRecord fRequest;
    int fResult;
};

TModalMaker& Maker() {
    static TModalMaker maker;
    return maker;
}
} // namespace

void SetModalMaker(TModalMaker maker) { Maker() = std::move(maker); }

int RunModalPiece(const TModalRecord& request) {
    std::unique_ptr<TModalLoop> modal;
    if (Maker()) modal = Maker()(request);
    if (!modal) modal = std::make_unique<TWindowlessModal>(request);
    Backend().RunModal(*modal);
    return modal->Result();
}

void TBackend::RunModal(TModalLoop& modal) {
    TMessageQueue& queue = MessageQueue();
    while (!modal.Ended() && !queue.QuitPosted()) queue.HandleMessage();
    // A quit ends the piece as a dismissal would; the outer loop still sees it.
    if (!modal.Ended()) modal.Answer(DefaultAnswer(modal.Request()));
}

} // namespace qo
