// The pattern text file (.pdat): the film position and intensity of every spot of a pattern,
// with the spot size and film shift.
#pragma once

#include "structfile/message.h"
#include "xelmor/core/spot.h"

#include <optional>
#include <string>
#include <vector>

namespace xelmor {

// The bytes of the exported file for `spots` in list order. The spot size and film shift are
// given in 0.1 mm, as the pattern keeps them, and written in mm, as are the spot positions;
// every number has 8 decimals, every line ends with CR LF. A spot is named by its lowest kept
// order.
std::string FormatPatternText(const std::vector<CDot>& spots, double spotWidth, double spotHeight,
                              double shiftX, double shiftY);

// Exports the pattern to the file at `path`, replacing an existing file only once the new one
// is complete. Returns the error to show when the file cannot be written, nothing on success.
std::optional<Message> SavePatternText(const std::string& path, const std::vector<CDot>& spots,
                                       double spotWidth, double spotHeight, double shiftX,
                                       double shiftY);

} // namespace xelmor
