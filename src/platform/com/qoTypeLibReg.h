#pragma once
// Registration of the server's type library, machine-wide or for the current
// user: the system's calls on Windows, the same keys in the registry
// emulation elsewhere. Failures raise EOleError.
#include <string>

#include "platform/com/qoRegistry.h"

namespace qo {

void RegisterTypeLibrary(TqoRegistry& registry, const std::string& modulePath, const std::string& helpDir,
                         bool perUser);
void UnregisterTypeLibrary(TqoRegistry& registry, const std::string& modulePath, bool perUser);

// "TypeLib\{LIBID}\2.5": where the library's registration lives.
std::string TypeLibKey();

} // namespace qo
