#pragma once
// The text of an edit or a memo without its looks: characters, the caret and
// the selection's anchor, the length limit, the undo of the last change, and
// the keys both controls share (moving by character and word, Shift
// selecting, deleting, clipboard, undo). Positions count characters (code
// points); line breaks in a memo are "\n".
#include "platform/core/qoInput.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

namespace qo {

// What a key or character did to the buffer.
enum TTextEffect { teNone, teMoved, teChanged };

class TqoTextBuffer {
public:
    // A memo keeps line breaks; an edit keeps what comes before the first one.
    bool MultiLine = false;

    std::string Text() const;
    const std::u32string& Chars() const { return fChars; }
    int Length() const { return int(fChars.size()); }
    // Text from code: cut to MaxLength, caret at the start, nothing to undo.
    // True when the text differs.
    bool SetText(std::string_view text);

    // 0: no limit. Negative raises EqoError; a longer text already there stays.
    int MaxLength() const { return fMaxLength; }
    void SetMaxLength(int maxLength);

    int Caret() const { return fCaret; }
    int SelStart() const { return std::min(fCaret, fAnchor); }
    int SelLength() const { return std::abs(fCaret - fAnchor); }
    std::string SelText() const;
    // Clamped into the text; the caret ends at the far end.
    void Select(int start, int length);
    // To pos (clamped); extend keeps the anchor, so that the selection grows.
    void MoveCaret(int pos, bool extend);

    // The selection replaced by text, cut to what MaxLength leaves room for;
    // undoable. Typing runs into the previous typing's undo step.
    bool Replace(std::string_view text, bool typing = false);
    bool CanUndo() const { return fCanUndo; }
    // Swaps in the text before the last change (so a second undo redoes it).
    bool Undo();
    // Code only: the next change starts its own undo step.
    void EndTyping() { fTyping = false; }

    // The start of the word at or before pos, and of the word after pos.
    int WordLeft(int pos) const;
    int WordRight(int pos) const;

    // The keys that move, delete, cut, copy, paste and undo. Home and End go to
    // lineStart and lineEnd, the line that holds the caret.
    TTextEffect Key(uint16_t key, TShiftState shift, bool readOnly, int lineStart, int lineEnd);
    // A typed character (UTF-16; a surrogate pair arrives as two). Controls below space are left alone.
    TTextEffect Char(char16_t ch, bool readOnly);

    bool CutToClipboard();
    void CopyToClipboard() const;
    bool PasteFromClipboard();

private:
    TTextEffect DeleteKey(bool forward, bool word);

    std::u32string fChars;
    int fCaret = 0, fAnchor = 0;
    int fMaxLength = 0;
    struct TSnapshot {
        std::u32string Chars;
        int Caret = 0, Anchor = 0;
    } fUndo;
    bool fCanUndo = false;
    bool fTyping = false;
    char16_t fHighSurrogate = 0;
};

} // namespace qo
