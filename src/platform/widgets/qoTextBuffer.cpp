#include "platform/widgets/qoTextBuffer.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoUnicode.h"
#include "platform/widgets/qoHintWindow.h"
#include "platform/widgets/qoClipboard.h"

namespace qo {

namespace {
bool IsSpace(char32_t c) { return c == U' ' || c == U'\t' || c == U'\n'; }
} // namespace

std::string TqoTextBuffer::Text() const { return Utf32ToUtf8(fChars); }

bool TqoTextBuffer::SetText(std::string_view text) {
    const std::u32string before = fChars;
    fChars.clear();
    fCaret = fAnchor = 0;
    Replace(text);
    fCaret = fAnchor = 0;
    fCanUndo = fTyping = false;
    return fChars != before;
}

void TqoTextBuffer::SetMaxLength(int maxLength) {
    if (maxLength < 0) throw EqoError("MaxLength cannot be negative: " + std::to_string(maxLength));
    fMaxLength = maxLength;
}

std::string TqoTextBuffer::SelText() const {
    return Utf32ToUtf8(fChars.substr(size_t(SelStart()), size_t(SelLength())));
}

void TqoTextBuffer::Select(int start, int length) {
    start = std::clamp(start, 0, Length());
    fAnchor = start;
    fCaret = std::clamp(start + std::max(length, 0), start, Length());
    fTyping = false;
}

void TqoTextBuffer::MoveCaret(int pos, bool extend) {
    fCaret = std::clamp(pos, 0, Length());
    if (!extend) fAnchor = fCaret;
    fTyping = false;
}

bool TqoTextBuffer::Replace(std::string_view text, bool typing) {
    std::u32string insert = Utf8ToUtf32(NormalizeLineBreaks(std::string(text)));
    if (!MultiLine) insert = insert.substr(0, insert.find(U'\n'));
    const int start = SelStart(), removed = SelLength();
    if (fMaxLength > 0) {
        const int room = std::max(0, fMaxLength - (Length() - removed));
        if (int(insert.size()) > room) insert.resize(size_t(room));
    }
    if (removed == 0 && insert.empty()) return false;
    if (!(typing && fTyping && fCanUndo)) {
        fUndo = {fChars, fCaret, fAnchor};
        fCanUndo = true;
    }
    fChars.replace(size_t(start), size_t(removed), insert);
    fCaret = fAnchor = start + int(insert.size());
    fTyping = typing;
    return true;
}

bool TqoTextBuffer::Undo() {
    if (!fCanUndo) return false;
    TSnapshot now{fChars, fCaret, fAnchor};
    fChars = std::move(fUndo.Chars);
    fCaret = fUndo.Caret;
    fAnchor = fUndo.Anchor;
    fUndo = std::move(now);
    fTyping = false;
    return true;
}

int TqoTextBuffer::WordLeft(int pos) const {
    pos = std::clamp(pos, 0, Length());
    while (pos > 0 && IsSpace(fChars[size_t(pos - 1)])) --pos;
    while (pos > 0 && !IsSpace(fChars[size_t(pos - 1)])) --pos;
    return pos;
}

int TqoTextBuffer::WordRight(int pos) const {
    pos = std::clamp(pos, 0, Length());
    while (pos < Length() && !IsSpace(fChars[size_t(pos)])) ++pos;
    while (pos < Length() && IsSpace(fChars[size_t(pos)])) ++pos;
    return pos;
}

TTextEffect TqoTextBuffer::DeleteKey(bool forward, bool word) {
    if (SelLength() == 0) {
        const int to = forward ? (word ? WordRight(fCaret) : fCaret + 1) : (word ? WordLeft(fCaret) : fCaret - 1);
        fAnchor = std::clamp(to, 0, Length());
    }
    return Replace("") ? teChanged : teNone;
}

TTextEffect TqoTextBuffer::Key(uint16_t key, TShiftState shift, bool readOnly, int lineStart, int lineEnd) {
    const bool extend = shift & ssShift, ctrl = shift & ssCtrl;
    const int before = fCaret, anchorBefore = fAnchor;
    switch (key) {
    case VK_LEFT:
        if (!extend && !ctrl && SelLength() > 0)
            MoveCaret(SelStart(), false);
        else
            MoveCaret(ctrl ? WordLeft(fCaret) : fCaret - 1, extend);
        break;
    case VK_RIGHT:
        if (!extend && !ctrl && SelLength() > 0)
            MoveCaret(SelStart() + SelLength(), false);
        else
            MoveCaret(ctrl ? WordRight(fCaret) : fCaret + 1, extend);
        break;
    case VK_HOME: MoveCaret(ctrl ? 0 : lineStart, extend); break;
    case VK_END: MoveCaret(ctrl ? Length() : lineEnd, extend); break;
    case VK_DELETE:
        if (readOnly) return teNone;
        if (extend) return CutToClipboard() ? teChanged : teNone;
        return DeleteKey(true, ctrl);
    case VK_BACK:
        return readOnly ? teNone : DeleteKey(false, ctrl);
    case VK_INSERT:
        if (ctrl) CopyToClipboard();
        if (extend && !readOnly) return PasteFromClipboard() ? teChanged : teNone;
        return teNone;
    default:
        if (!ctrl) return teNone;
        if (key == 'C') CopyToClipboard();
        if (key == 'A') Select(0, Length());
        if (readOnly) break;
        if (key == 'X') return CutToClipboard() ? teChanged : teNone;
        if (key == 'V') return PasteFromClipboard() ? teChanged : teNone;
        if (key == 'Z') return Undo() ? teChanged : teNone;
        break;
    }
    return fCaret != before || fAnchor != anchorBefore ? teMoved : teNone;
}

TTextEffect TqoTextBuffer::Char(char16_t ch, bool readOnly) {
    if (readOnly || ch < u' ' || ch == 0x7F) return teNone;
    if (ch >= 0xD800 && ch < 0xDC00) {
        fHighSurrogate = ch;
        return teNone;
    }
    std::u16string unit(1, ch);
    if (ch >= 0xDC00 && ch < 0xE000) {
        if (!fHighSurrogate) return teNone;
        unit.insert(unit.begin(), fHighSurrogate);
    }
    fHighSurrogate = 0;
    return Replace(Utf16ToUtf8(unit), true) ? teChanged : teNone;
}

bool TqoTextBuffer::CutToClipboard() {
    if (SelLength() == 0) return false;
    CopyToClipboard();
    return Replace("");
}

void TqoTextBuffer::CopyToClipboard() const {
    if (SelLength() > 0) ClipboardSetText(SelText());
}

bool TqoTextBuffer::PasteFromClipboard() { return Replace(ClipboardGetText()); }

} // namespace qo
