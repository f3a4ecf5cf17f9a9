#pragma once
// GUIDs in their registry form: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
#include <string>
#include <string_view>

#include "platform/com/qoComTypes.h"

namespace qo {

std::string GuidToString(REFGUID guid);
// Accepts the form with or without braces, in either case.
bool TryStringToGuid(std::string_view text, GUID& out);

} // namespace qo
