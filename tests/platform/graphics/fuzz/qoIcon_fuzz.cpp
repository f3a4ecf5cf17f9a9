// libFuzzer target for the icon loader: any input must load or end in EqoError.
// Build with clang (the sanitizer build picks it up when the compiler is clang):
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DQO_SANITIZE=ON
//   cmake --build build-fuzz --target qo-fuzz-icon && build-fuzz/bin/qo-fuzz-icon
//   tests/platform/graphics/icons
#include "platform/core/qoErrors.h"
#include "platform/graphics/qoIcon.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int32_t desired : {0, 16, 48}) {
        try {
            const qo::TqoIcon icon = qo::LoadIconFromMemory({data, size}, desired);
            if (icon.Pixels.Width() <= 0 || icon.Pixels.Width() > qo::MaxIconSize) __builtin_trap();
        } catch (const qo::EqoError&) {
        }
    }
    return 0;
}
