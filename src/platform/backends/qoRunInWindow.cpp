#include "platform/backends/qoRunInWindow.h"

#include <cstdlib>

namespace qo {

bool HeadlessRequested() {
    const char* headless = std::getenv("QO_HEADLESS");
    return headless && *headless && std::string(headless) != "0";
}

} // namespace qo
