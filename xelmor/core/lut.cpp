// The look-up table of lattice-plane pairs and triplets.
#include "xelmor/core/lut.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <unordered_map>

#include "structfile/number_format.h"
#include "structfile/text.h"

namespace xelmor {

namespace {

const double kPi = std::acos(-1.0);
const double kDegToRad = kPi / 180.0;

// Below this |z'| the diffraction vector of a spot vanishes: the exact forward direction.
constexpr double kForwardZ = 1e-8;
// Below this length of G1 x G2 the two spots give no plane of their own.
constexpr double kParallelCross = 1e-12;
// Tolerance below which a typed value counts as no tolerance at all.
constexpr double kFallbackTolDeg = 0.05;
constexpr double kMinStepMm = 1e-6, kFallbackStepMm = 0.1, kMaxStepMm = 10.0;
// Margin of the cosine prefilter of the pair search: far above the rounding of a cosine
// (a few 1e-16), so every pair that the exact arc-cosine test accepts passes the prefilter.
constexpr double kCosMargin = 1e-9;
// How many first candidates the pair search takes between two progress reports.
constexpr int kProgressEvery = 64;

Vec3 Unit(const Vec3& v) {
    const double n = std::sqrt(Dot(v, v));
    return {v[0] / n, v[1] / n, v[2] / n};
}

double ClampedAcos(double c) {
    return std::acos(std::clamp(c, -1.0, 1.0));
}

double PlaneAngle(const ReciprocalBasis& rb, const HklTriple& a, const HklTriple& b) {
    return AngleBetweenPlanes(rb, a.h, a.k, a.l, b.h, b.k, b.l);
}

Vec3 G(const ReciprocalBasis& rb, const HklTriple& t) {
    return ReciprocalVector(rb, t.h, t.k, t.l);
}

// Bᵀ v: the components of v along a*, b*, c*.
Vec3 BasisTransposed(const ReciprocalBasis& rb, const Vec3& v) {
    return {rb.ax * v[0] + rb.ay * v[1] + rb.az * v[2], rb.by * v[1] + rb.bz * v[2], rb.cz * v[2]};
}

// Scales a triple so that its largest component becomes +-1.
void ScaleToUnitMax(Vec3& v) {
    const double m = std::max({std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2])});
    for (double& c : v)
        c /= m;
}

std::string IntText(int v) {
    return std::to_string(v);
}

std::uint64_t Key(const HklTriple& t) {
    constexpr std::int64_t kBias = 1 << 20;
    return (static_cast<std::uint64_t>(t.h + kBias) << 42) |
           (static_cast<std::uint64_t>(t.k + kBias) << 21) |
           static_cast<std::uint64_t>(t.l + kBias);
}

} // namespace

// --- HklList ---------------------------------------------------------------------------------

HklList::HklList() {
    m_items.reserve(kInitialSize);
}

bool HklList::Add(const HklTriple& t) {
    if (Count() >= m_nCapacity) {
        if (m_nCapacity + kGrowBy > kMaxSize)
            return false;
        m_nCapacity += kGrowBy;
        m_items.reserve(static_cast<std::size_t>(m_nCapacity));
    }
    m_items.push_back(t);
    return true;
}

void HklList::Clear() {
    if (m_nCapacity > kInitialSize) {
        std::vector<HklTriple>().swap(m_items);
        m_items.reserve(kInitialSize);
        m_nCapacity = kInitialSize;
    } else {
        m_items.clear();
    }
}

// --- Reading the inputs ------------------------------------------------------------------------

double ReadTolerance(std::string_view text) {
    const double v = ParseDouble(text);
    return v > 0 ? v : kFallbackTolDeg;
}

int ReadLimit(std::string_view text) {
    return std::clamp(ParseInt(text), 0, kLimitMax);
}

int StepLimit(std::string_view text, int delta) {
    // In wide arithmetic: a text at the end of the int range must not overflow.
    const long long v = static_cast<long long>(ParseInt(text)) + delta;
    return static_cast<int>(std::clamp<long long>(v, 0, kLimitMax));
}

double ReadStep(std::string_view text) {
    const double v = ParseDouble(text);
    if (v < kMinStepMm)
        return kFallbackStepMm;
    if (v > kMaxStepMm)
        return kMaxStepMm;
    return v;
}

void ParseSpotPosition(std::string_view text, double& x, double& y) {
    const std::vector<std::string> tokens = SplitTokens(CleanLine(text), 2);
    x = ParseDouble(tokens[0]) * 10.0;
    y = ParseDouble(tokens[1]) * 10.0;
}

// --- Spot directions and candidates -----------------------------------------------------------

std::optional<Vec3> SpotDirection(const FilmGeometry& g, double x, double y) {
    Vec3 v = RayFromFilmPoint(g, x, y);
    v[2] += 1.0; // diffracted unit vector minus the incident one (-z')
    if (!(std::fabs(v[2]) >= kForwardZ))
        return std::nullopt;
    return Unit(v);
}

void BuildCandidatePlanes(int hmax, int kmax, int lmax, HklList& planes) {
    planes.Clear();
    for (int h = 0; h <= hmax; ++h) {
        for (int k = 0; k <= kmax; ++k) {
            for (int l = 0; l <= lmax; ++l) {
                if (planes.Full())
                    return; // the rest would be dropped anyway
                // Indices up to 999: the prime test of the run keeps exactly gcd 1.
                if (std::gcd(std::gcd(h, k), l) != 1)
                    continue;
                planes.Add({h, k, l});
                if (l > 0)
                    planes.Add({h, k, -l});
                if (k > 0) {
                    planes.Add({h, -k, l});
                    if (l > 0)
                        planes.Add({h, -k, -l});
                }
                if (h > 0) {
                    planes.Add({-h, k, l});
                    if (l > 0)
                        planes.Add({-h, k, -l});
                    if (k > 0) {
                        planes.Add({-h, -k, l});
                        if (l > 0)
                            planes.Add({-h, -k, -l});
                    }
                }
            }
        }
    }
}

// --- The pair search ---------------------------------------------------------------------------

PairSearchEnd SearchPlanePairs(const ReciprocalBasis& rb, const HklList& planes, double angleRad,
                               double tolRad, HklList& first, HklList& second,
                               const SearchProgress& progress) {
    first.Clear();
    second.Clear();
    // The angle test is symmetric, so a pair (B, A) with B later in the candidate list than A
    // has always been listed as (A, B) already: the rows are the accepted pairs i < j in order.
    // Each pair first meets a prefilter on the cosine of unit vectors with a margin that holds
    // every accepted pair; the pairs it lets through get the exact test of the angle.
    const int n = planes.Count();
    std::vector<double> ux(static_cast<std::size_t>(n)), uy(ux.size()), uz(ux.size());
    for (int i = 0; i < n; ++i) {
        const Vec3 u = Unit(G(rb, planes[i]));
        ux[static_cast<std::size_t>(i)] = u[0];
        uy[static_cast<std::size_t>(i)] = u[1];
        uz[static_cast<std::size_t>(i)] = u[2];
    }
    const double cosLo = std::cos(std::min(kPi, angleRad + tolRad)) - kCosMargin;
    const double cosHi = std::cos(std::max(0.0, angleRad - tolRad)) + kCosMargin;
    const long long total = static_cast<long long>(n) * (n - 1) / 2;
    long long done = 0;
    constexpr int kBlock = 128;
    for (int i = 0; i < n; ++i) {
        if (progress && i % kProgressEvery == 0 && !progress(done, total))
            return PairSearchEnd::Stopped;
        const double xi = ux[static_cast<std::size_t>(i)], yi = uy[static_cast<std::size_t>(i)],
                     zi = uz[static_cast<std::size_t>(i)];
        for (int j0 = i + 1; j0 < n; j0 += kBlock) {
            const int j1 = std::min(n, j0 + kBlock);
            int hit = 0;
            for (int j = j0; j < j1; ++j) {
                const auto s = static_cast<std::size_t>(j);
                const double c = xi * ux[s] + yi * uy[s] + zi * uz[s];
                hit |= static_cast<int>(c >= cosLo) & static_cast<int>(c <= cosHi);
            }
            if (!hit)
                continue;
            for (int j = j0; j < j1; ++j) {
                const auto s = static_cast<std::size_t>(j);
                const double c = xi * ux[s] + yi * uy[s] + zi * uz[s];
                if (!(c >= cosLo && c <= cosHi))
                    continue;
                const double theta = PlaneAngle(rb, planes[i], planes[j]);
                if (std::fabs(theta - angleRad) > tolRad)
                    continue;
                first.Add(planes[i]);
                second.Add(planes[j]);
                if (first.Full())
                    return PairSearchEnd::TooMany;
            }
        }
        done += n - 1 - i;
    }
    return PairSearchEnd::Complete;
}

// --- The triplet search ------------------------------------------------------------------------

void SearchPlaneTriplets(const ReciprocalBasis& rb, const HklList& curFirst,
                         const HklList& curSecond, const HklList& savedFirst,
                         const HklList& savedSecond, double phiRad, double tolRad,
                         HklList& outFirst, HklList& outSecond) {
    outFirst.Clear();
    outSecond.Clear();
    // Only the saved pairs that hold A or B can match (A, B): the saved rows of each plane, in
    // ascending order, are visited in place of a scan of every saved row.
    std::unordered_map<std::uint64_t, std::vector<int>> rowsOf;
    const int nSaved = std::min(savedFirst.Count(), savedSecond.Count());
    for (int s = 0; s < nSaved; ++s) {
        rowsOf[Key(savedFirst[s])].push_back(s);
        if (!(savedSecond[s] == savedFirst[s]))
            rowsOf[Key(savedSecond[s])].push_back(s);
    }
    const std::vector<int> none;
    auto rows = [&](const HklTriple& t) -> const std::vector<int>& {
        const auto it = rowsOf.find(Key(t));
        return it == rowsOf.end() ? none : it->second;
    };
    auto pass = [&](const HklTriple& x, const HklTriple& y) {
        return std::fabs(phiRad - PlaneAngle(rb, x, y)) <= tolRad;
    };
    const int nCur = std::min(curFirst.Count(), curSecond.Count());
    for (int c = 0; c < nCur; ++c) {
        const HklTriple& a = curFirst[c];
        const HklTriple& b = curSecond[c];
        const std::vector<int>& ra = rows(a);
        const std::vector<int>& rb2 = rows(b);
        std::size_t ia = 0, ib = 0;
        while (ia < ra.size() || ib < rb2.size()) {
            int s;
            if (ib >= rb2.size() || (ia < ra.size() && ra[ia] <= rb2[ib])) {
                s = ra[ia];
                if (ib < rb2.size() && rb2[ib] == s)
                    ++ib;
                ++ia;
            } else {
                s = rb2[ib++];
            }
            const HklTriple& cc = savedFirst[s];
            const HklTriple& dd = savedSecond[s];
            bool ok = false;
            if (a == cc)
                ok = pass(b, dd);
            else if (a == dd)
                ok = pass(b, cc);
            if (ok) {
                outFirst.Add(a);
                outSecond.Add(b);
                break;
            }
            if (b == cc)
                ok = pass(a, dd);
            else if (b == dd)
                ok = pass(a, cc);
            if (ok) {
                outFirst.Add(b);
                outSecond.Add(a);
                break;
            }
        }
    }
}

// --- A row as an orientation -------------------------------------------------------------------

std::optional<RowOrientation> OrientationOfRow(const ReciprocalBasis& rb, const HklTriple& p1,
                                               const HklTriple& p2, const Vec3& G1, const Vec3& N,
                                               const Vec3& M) {
    const Vec3 u1 = Unit(G(rb, p1));
    const Vec3 u2 = Unit(G(rb, p2));
    const Vec3 cross = Cross(u1, u2);
    if (!(std::sqrt(Dot(cross, cross)) >= kParallelCross))
        return std::nullopt;
    const Vec3 n = Unit(cross);
    const Vec3 m = Cross(u1, n);
    // O = R B with R = G1 u1ᵀ + N nᵀ + M mᵀ: the sum of the outer products of the lab vectors
    // with Bᵀu1, Bᵀn, Bᵀm.
    const Vec3 bu = BasisTransposed(rb, u1), bn = BasisTransposed(rb, n),
               bm = BasisTransposed(rb, m);
    Mat3 o{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            o[r][c] = N[r] * bn[c] + M[r] * bm[c] + G1[r] * bu[c];
    Vec3 surface = SolveCramer3(o, {0, 0, 1});
    Vec3 horizontal = SolveCramer3(o, {1, 0, 0});
    for (double v :
         {surface[0], surface[1], surface[2], horizontal[0], horizontal[1], horizontal[2]})
        if (!std::isfinite(v))
            return std::nullopt;
    ScaleToUnitMax(surface);
    ScaleToUnitMax(horizontal);
    return RowOrientation{surface[0],    surface[1],    surface[2],
                          horizontal[0], horizontal[1], horizontal[2]};
}

std::string PairRowText(const HklTriple& a, const HklTriple& b) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d %d %d  <--->  %d %d %d", a.h, a.k, a.l, b.h, b.k, b.l);
    return buf;
}

// --- Messages ----------------------------------------------------------------------------------

Message ForwardDirectionMessage() {
    return MakeMessage("The point (0,0) you selected corresponds to the exact forward direction, "
                       "not allowed! Please select another point.",
                       MsgIcon::None);
}
Message NoSpotsMessage() {
    return MakeMessage("Please select two spots to proceed!", MsgIcon::None);
}
Message AllLimitsZeroMessage() {
    return MakeMessage("Hmax, Kmax, Lmax must not be all zero!", MsgIcon::None);
}
Message TooManyPairsMessage() {
    return MakeMessage("Too many pairs! Try to reduce Hmax, Kmax, Lmax and Angular tolerance.",
                       MsgIcon::None);
}
Message SameDirectionMessage() {
    return MakeMessage("The two spots have the same diffraction direction. Please select another "
                       "2nd spot.",
                       MsgIcon::Exclamation);
}
Message NoPairsToSaveMessage() {
    return MakeMessage("No pairs to save!", MsgIcon::None);
}
Message NothingSavedMessage() {
    return MakeMessage("No pairs have been saved!", MsgIcon::None);
}
Message MajorSpotMovedMessage(double savedX1, double savedY1) {
    return MakeMessage("The current Major Spot is not the same as\nthe last saved one (" +
                           FormatNumber(savedX1 / 10.0, 8) + ", " +
                           FormatNumber(savedY1 / 10.0, 8) + ")",
                       MsgIcon::None);
}
Message SameSecondSpotMessage() {
    return MakeMessage("The 2nd spot is the same as last saved one!", MsgIcon::None);
}
Message NoCurrentPairsMessage() {
    return MakeMessage("No pairs exist currently!", MsgIcon::None);
}
Message EmptyListMessage() {
    return MakeMessage("No pairs/triplets available in the list", MsgIcon::None);
}
Message ParallelRowMessage() {
    return MakeMessage("The two lattice planes of this row are parallel and fix no orientation.",
                       MsgIcon::Exclamation);
}
Message HelpMissingMessage() {
    return MakeMessage("Cannot open Adobe Reader or Xelmor4-LUT-Help.pdf in the directory!",
                       MsgIcon::None);
}

// --- The table's state -------------------------------------------------------------------------

CLookUpTable::CLookUpTable() : m_TolRad(kStartTolDeg * kDegToRad) {}

PairSearchOutcome CLookUpTable::SearchPairs(CParameterSet& p, const PairSearchTexts& texts,
                                            const SearchProgress& progress) {
    PairSearchOutcome out;
    if (!texts.havePositions) {
        out.angleCleared = true;
        out.message = NoSpotsMessage();
        return out;
    }
    p.m_bMajorSpot = 1;
    p.m_bSecondSpot = 1;
    out.markersChanged = true;

    const FilmGeometry film = MakeFilmGeometry(p.m_TransOrBack, p.m_D, p.m_Tilt);
    const std::optional<Vec3> g1 = SpotDirection(film, p.m_MajorX, p.m_MajorY);
    const std::optional<Vec3> g2 =
        g1 ? SpotDirection(film, p.m_SecondX, p.m_SecondY) : std::nullopt;
    if (!g1 || !g2) {
        out.message = ForwardDirectionMessage();
        return out;
    }
    m_G1 = *g1;
    m_G2 = *g2;
    m_AngleRad = ClampedAcos(Dot(m_G1, m_G2));
    m_AngleDeg = m_AngleRad / kDegToRad;
    out.angleText = FormatNumber(m_AngleDeg, 3);
    // Two spots in one direction span no plane: the normal would be 0 / 0 and every orientation
    // built on it undefined.
    const Vec3 cross = Cross(m_G1, m_G2);
    if (!(std::sqrt(Dot(cross, cross)) >= kParallelCross)) {
        out.message = SameDirectionMessage();
        return out;
    }
    m_N = Unit(cross);
    m_M = Cross(m_G1, m_N);

    m_TolDeg = ReadTolerance(texts.tolerance);
    m_TolRad = m_TolDeg * kDegToRad;
    out.toleranceText = FormatNumber(m_TolDeg, 8);

    const int hmax = ReadLimit(texts.limits[0]);
    const int kmax = ReadLimit(texts.limits[1]);
    const int lmax = ReadLimit(texts.limits[2]);
    out.limitTexts = std::array<std::string, 3>{IntText(hmax), IntText(kmax), IntText(lmax)};
    if (hmax == 0 && kmax == 0 && lmax == 0) {
        out.message = AllLimitsZeroMessage();
        return out;
    }
    if (m_Planes.Empty() || hmax != m_SearchHmax || kmax != m_SearchKmax || lmax != m_SearchLmax) {
        m_SearchHmax = hmax;
        m_SearchKmax = kmax;
        m_SearchLmax = lmax;
        BuildCandidatePlanes(hmax, kmax, lmax, m_Planes);
    }

    out.listed = true;
    out.end = SearchPlanePairs(p.m_Recip, m_Planes, m_AngleRad, m_TolRad, m_PairFirst, m_PairSecond,
                               progress);
    m_bShowPairs = 1;
    // The rows are listed as found, first plane on the left, and Simulate reads them so.
    m_bSwap = 0;
    // The rows belong to these spots even when the search stopped at the limit: a later
    // simulation puts the markers here and the triplet search compares these positions.
    m_SearchPos = {p.m_MajorX, p.m_MajorY, p.m_SecondX, p.m_SecondY};
    if (out.end == PairSearchEnd::TooMany)
        out.message = TooManyPairsMessage();
    return out;
}

std::optional<Message> CLookUpTable::SavePairs() {
    if (m_PairFirst.Empty())
        return NoPairsToSaveMessage();
    m_SavedPos = m_SearchPos;
    m_SavedG2 = m_G2;
    m_SavedFirst = m_PairFirst;
    m_SavedSecond = m_PairSecond;
    return std::nullopt;
}

TripletSearchOutcome CLookUpTable::SearchTriplets(const ReciprocalBasis& rb) {
    TripletSearchOutcome out;
    constexpr double kSamePos = 0.01; // 0.1 mm
    if (m_SavedFirst.Empty()) {
        out.message = NothingSavedMessage();
        return out;
    }
    if (std::fabs(m_SavedPos[0] - m_SearchPos[0]) > kSamePos ||
        std::fabs(m_SavedPos[1] - m_SearchPos[1]) > kSamePos) {
        out.message = MajorSpotMovedMessage(m_SavedPos[0], m_SavedPos[1]);
        return out;
    }
    if (std::fabs(m_SavedPos[2] - m_SearchPos[2]) <= kSamePos &&
        std::fabs(m_SavedPos[3] - m_SearchPos[3]) <= kSamePos) {
        out.message = SameSecondSpotMessage();
        return out;
    }
    if (m_PairFirst.Empty()) {
        out.message = NoCurrentPairsMessage();
        return out;
    }
    const double phi = ClampedAcos(Dot(m_G2, m_SavedG2));
    SearchPlaneTriplets(rb, m_PairFirst, m_PairSecond, m_SavedFirst, m_SavedSecond, phi, m_TolRad,
                        m_TripletFirst, m_TripletSecond);
    m_bShowPairs = 0;
    m_bSwap = 0;
    out.listed = true;
    return out;
}

std::vector<std::string> CLookUpTable::ShownRowTexts() const {
    std::vector<std::string> rows;
    const HklList& a = ShownFirst();
    const HklList& b = ShownSecond();
    rows.reserve(static_cast<std::size_t>(a.Count()));
    const bool swapped = m_bShowPairs && m_bSwap;
    for (int i = 0; i < a.Count(); ++i)
        rows.push_back(swapped ? PairRowText(b[i], a[i]) : PairRowText(a[i], b[i]));
    return rows;
}

void CLookUpTable::RowPlanes(int s, HklTriple& p1, HklTriple& p2) const {
    p1 = ShownFirst()[s];
    p2 = ShownSecond()[s];
    if (m_bSwap)
        std::swap(p1, p2);
}

std::optional<RowOrientation> CLookUpTable::RowOrientationOf(const ReciprocalBasis& rb,
                                                             int s) const {
    HklTriple p1, p2;
    RowPlanes(s, p1, p2);
    return OrientationOfRow(rb, p1, p2, m_G1, m_N, m_M);
}

bool CLookUpTable::ApplyRow(CParameterSet& p, int s) const {
    const std::optional<RowOrientation> o = RowOrientationOf(p.m_Recip, s);
    if (!o)
        return false;
    p.m_H = o->H, p.m_K = o->K, p.m_L = o->L;
    p.m_h = o->h, p.m_k = o->k, p.m_l = o->l;
    p.m_Rot1 = p.m_Rot2 = p.m_Rot3 = 0;
    p.m_MajorX = m_SearchPos[0];
    p.m_MajorY = m_SearchPos[1];
    p.m_SecondX = m_SearchPos[2];
    p.m_SecondY = m_SearchPos[3];
    return true;
}

std::string PairCountText(int count) {
    return IntText(count) + " pairs";
}
std::string TripletCountText(int count) {
    return IntText(count) + " triplets";
}
std::string RowOfCountText(int row, int count) {
    return IntText(row) + "  of " + IntText(count);
}

void MoveSpot(CParameterSet& p, int d, double stepMm) {
    const double step = stepMm * 10.0;
    switch (d) {
    case 1:
        p.m_MajorX -= step;
        break;
    case 2:
        p.m_MajorX += step;
        break;
    case 3:
        p.m_MajorY += step;
        break;
    case 4:
        p.m_MajorY -= step;
        break;
    case 5:
        p.m_SecondX -= step;
        break;
    case 6:
        p.m_SecondX += step;
        break;
    case 7:
        p.m_SecondY += step;
        break;
    case 8:
        p.m_SecondY -= step;
        break;
    default:
        break;
    }
}

} // namespace xelmor
