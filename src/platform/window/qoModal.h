#pragma once
// A modal piece (a message box, a pop-up menu) as the backend's nested loop
// sees it: what a headless run records of it, whether it has ended, and how a
// scripted answer ends it. The pieces themselves are widgets; the window layer
// only knows how to ask for one.
#include "platform/core/qoGeometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qo {

class TWinControl;

struct TModalRecord {
    enum TKind { mkMessageBox, mkPopupMenu } Kind = mkMessageBox;
    std::string Text;
    std::string Caption;
    uint32_t Flags = 0;
    std::vector<std::string> Items;
    TPoint Point;
    int Answer = 0;
};

class TModalLoop {
public:
    virtual ~TModalLoop() = default;
    virtual const TModalRecord& Request() const = 0;
    virtual bool Ended() const = 0;
    // Ends it as the user's choice would: a button's identifier, an item's
    // index (-1: dismissed).
    virtual void Answer(int answer) = 0;
    virtual int Result() const = 0;
    // The top-level window it shows in, or nullptr.
    virtual TWinControl* Window() = 0;
};

// What a modal piece answers when nobody chose: the first button of a message
// box, a dismissed menu.
int DefaultAnswer(const TModalRecord& request);

// Makes the piece for a request; the widgets install theirs. Without one a
// piece has no window and ends at once with its default answer (or a script's).
using TModalMaker = std::function<std::unique_ptr<TModalLoop>(const TModalRecord&)>;
void SetModalMaker(TModalMaker maker);
// Makes the piece, runs it through the backend's nested loop, and returns its answer.
int RunModalPiece(const TModalRecord& request);

} // namespace qo
