// The batch simulator's --image output: the pattern drawn as the program's image export draws
// it (labels off, information line on), without a window.
#pragma once

#include <optional>
#include <string>

#include "xelmor/core/params.h"
#include "xelmor/core/simulation.h"

namespace xelmor {

// Writes the pattern of `r` as an image file (format by the extension: bmp, jpg/jpeg, tif, png
// ...) `width` pixels wide, or 10 pixels per mm of film when `width` is 0. Returns the message
// of a failure.
std::optional<std::string> WritePatternImage(const CParameterSet& p, const SimulationResult& r,
                                             const std::string& path, int width);

} // namespace xelmor
