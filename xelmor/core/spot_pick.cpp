#include "xelmor/core/spot_pick.h"

#include "structfile/number_format.h"
#include "xelmor/core/spot_details.h"

#include <utility>

namespace xelmor {

FilmPoint LogicalToFilm(const ViewFrame& f, LogicalPoint p) {
    return {(p.x - f.width * 0.5) / f.scale + f.shiftX,
            (p.y + f.height * 0.5) / f.scale + f.shiftY};
}

LogicalRect SpotHitRect(const ViewFrame& f, double spotWidth, double spotHeight, const CDot& spot) {
    ViewFrame unshifted = f;
    unshifted.shiftX = unshifted.shiftY = 0;
    LogicalRect r = SpotRectAt(BaseSpotRect(unshifted, spotWidth, spotHeight), f.scale,
                               spot.x - f.shiftX, spot.y - f.shiftY);
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.bottom > r.top)
        std::swap(r.bottom, r.top);
    return r;
}

bool HitRectContains(const LogicalRect& r, LogicalPoint p) {
    return r.left <= p.x && p.x < r.right && r.bottom <= p.y && p.y < r.top;
}

int HitSpot(const std::vector<CDot>& spots, const ViewFrame& frame, double spotWidth,
            double spotHeight, LogicalPoint p) {
    for (std::size_t i = 0; i < spots.size(); ++i)
        if (HitRectContains(SpotHitRect(frame, spotWidth, spotHeight, spots[i]), p))
            return static_cast<int>(i);
    return -1;
}

std::string SpotReflectionText(const CDot& spot) {
    const long long n = LowestKeptOrder(spot);
    return std::to_string(n * spot.h) + ", " + std::to_string(n * spot.k) + ", " +
           std::to_string(n * spot.l);
}

std::string SpotWavelengthText(const CDot& spot) {
    return FormatNumber(spot.lambda / LowestKeptOrder(spot), 4) + " A";
}

} // namespace xelmor
