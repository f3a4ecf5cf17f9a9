#include "grid/qoHeaderPrint.h"

#include "platform/core/qoErrors.h"

#include <cmath>

namespace qo {

void TqoPrintTarget::Check() const {
    if (!DC) throw EqoError("Printing needs a device context");
    const auto positive = [](double s) { return std::isfinite(s) && s > 0; };
    if (!positive(ScaleX) || !positive(ScaleY)) throw EqoError("The print scale must be positive");
}

} // namespace qo
