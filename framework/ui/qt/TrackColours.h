#pragma once

#include <QColor>

// The colours shared by the progress bar and the slider, so that both tracks look alike.
namespace fw::internal {

constexpr QColor kTrack{0x33, 0x33, 0x33};
constexpr QColor kBorder{0x2A, 0x2A, 0x2A};
constexpr QColor kFill{0x66, 0xFF, 0x66};
constexpr QColor kDisabledFill{0x9A, 0xB0, 0x9A};

}  // namespace fw::internal
