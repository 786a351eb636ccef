#include "xelmor/core/spot_pick.h"

#include "structfile/number_format.h"
#include "structfile/text.h"
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

bool OnFilm(const ViewFrame& f, LogicalPoint p) {
    return 30 <= p.x && p.x <= f.width - 30 && 30 - f.height <= p.y && p.y <= -30;
}

std::string MarkerPositionText(double x, double y) {
    return FormatNumber(x / 10, 5) + ", " + FormatNumber(y / 10, 5);
}

std::string MarkerMenuText(double x, double y) {
    return "(" + FormatNumber(x / 10, 8) + ", " + FormatNumber(y / 10, 8) + ") mm";
}

ReflectionQuery ParseReflectionQuery(std::string_view text) {
    const std::vector<std::string> t = SplitTokens(CleanLine(text), 3);
    auto token = [&t](std::size_t i) { return i < t.size() ? ParseInt(t[i]) : 0; };
    return {token(0), token(1), token(2)};
}

ReflectionMatch FindReflection(const std::vector<CDot>& spots, const ReflectionQuery& q) {
    for (std::size_t i = 0; i < spots.size(); ++i) {
        const CDot& s = spots[i];
        for (std::size_t j = 0; j < s.harmonics.size(); ++j) {
            const long long n = s.harmonics[j].n;
            if (n * s.h == q.h && n * s.k == q.k && n * s.l == q.l)
                return {static_cast<int>(i), static_cast<int>(j)};
        }
    }
    return {};
}

Message NoPatternYetMessage() {
    return MakeMessage("No pattern available yet.", MsgIcon::Exclamation);
}

Message EnterReflectionMessage() {
    return MakeMessage("Enter   h, k, l   and then click Find.", MsgIcon::Exclamation);
}

Message ReflectionNotFoundMessage(const ReflectionQuery& q) {
    return MakeMessage("The current Laue pattern does not contain Reflection " +
                           std::to_string(q.h) + " " + std::to_string(q.k) + " " +
                           std::to_string(q.l) + ".",
                       MsgIcon::Exclamation);
}

} // namespace xelmor
