// The look-up table of lattice-plane pairs and triplets: spot directions, the candidate planes,
// the pair and triplet searches, the orientation of a listed row, and the spot and limit
// adjustments between searches. The dialog and the batch simulator share this code.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "structfile/message.h"
#include "xelmor/core/film.h"
#include "xelmor/core/lattice.h"
#include "xelmor/core/params.h"

namespace xelmor {

// One lattice plane (h k l).
struct HklTriple {
    int h = 0, k = 0, l = 0;

    bool operator==(const HklTriple&) const = default;
};

inline HklTriple Negated(const HklTriple& t) {
    return {-t.h, -t.k, -t.l};
}

// A bounded growable list of planes: it starts with room for 2000, grows by 2000 and never
// holds more than 20 000; an entry that would need more room is dropped and Add reports false.
class HklList {
public:
    static constexpr int kGrowBy = 2000;
    static constexpr int kInitialSize = 2000;
    static constexpr int kMaxSize = 20000;

    HklList();

    bool Add(const HklTriple& t);
    // Empties the list; storage grown beyond the initial size is given back.
    void Clear();

    int Count() const { return static_cast<int>(m_items.size()); }
    bool Empty() const { return m_items.empty(); }
    bool Full() const { return Count() >= kMaxSize; }
    int Capacity() const { return m_nCapacity; }
    const HklTriple& operator[](int i) const { return m_items[static_cast<std::size_t>(i)]; }
    const std::vector<HklTriple>& Items() const { return m_items; }

private:
    std::vector<HklTriple> m_items;
    int m_nCapacity = kInitialSize;
};

// Index limits of the search: 0..999 each.
inline constexpr int kLimitMax = 999;
// Start values of the dialog's inputs.
inline constexpr double kStartTolDeg = 0.2;
inline constexpr double kStartStepMm = 0.05;
inline constexpr int kStartSearchLimit = 5;

// The texts of the lists of the step and tolerance combo boxes, in their order.
inline constexpr std::array<const char*, 7> kStepList = {"0.1", "0.05", "0.01", "0.2",
                                                         "0.5", "1",    "0.001"};
inline constexpr std::array<const char*, 11> kToleranceList = {
    "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.8", "1", "2", "0.05", "0.01"};

// The tolerance text read as degrees: a value <= 0 (also an empty or unreadable text) is 0.05.
double ReadTolerance(std::string_view text);
// A limit text read as an integer and clamped to 0..999 (an unreadable text is 0).
int ReadLimit(std::string_view text);
// A limit text stepped by delta and clamped to 0..999.
int StepLimit(std::string_view text, int delta);
// The step text read as mm: below 1e-6 it is 0.1, above 10 it is 10.
double ReadStep(std::string_view text);

// A position edit "x, y" in mm read into film coordinates (0.1 mm): the structure files' line
// cleaner and token splitter with two tokens, each read as a decimal number (a missing token
// is 0).
void ParseSpotPosition(std::string_view text, double& x, double& y);

// Unit diffraction direction (lab) of the spot at film point (x, y), 0.1 mm: the direction of
// the ray from the crystal to the point minus the incident direction (-z'). Empty when the
// point lies in the exact forward direction (no diffraction vector).
std::optional<Vec3> SpotDirection(const FilmGeometry& g, double x, double y);

// The candidate planes of limits Hmax, Kmax, Lmax: h, k, l ascending from 0 (000 excluded),
// primitive triples only (gcd 1), each followed by its sign variants in the order
// (h k l) (h k -l) (h -k l) (h -k -l) (-h k l) (-h k -l) (-h -k l) (-h -k -l), leaving out
// those that negate a zero index. The list stops at 20 000 candidates.
void BuildCandidatePlanes(int hmax, int kmax, int lmax, HklList& planes);

// How a pair search ended.
enum class PairSearchEnd { Complete, TooMany, Stopped };

// Called now and then during a long search with the work done and the whole work; returning
// false stops the search.
using SearchProgress = std::function<bool(long long done, long long total)>;

// Lists every unordered pair of candidates whose inter-plane angle lies within tolRad of
// angleRad, the earlier candidate first, in candidate order (by first, then by second), into
// first/second (which are cleared). Stops at 20 000 rows with TooMany.
PairSearchEnd SearchPlanePairs(const ReciprocalBasis& rb, const HklList& planes, double angleRad,
                               double tolRad, HklList& first, HklList& second,
                               const SearchProgress& progress = {});

// The triplet rows: for each current pair (A, B), the first saved pair (C, D) that shares a
// plane with it such that the other two planes are phiRad apart within tolRad; the row is the
// shared plane (the Major spot's) and the current pair's other plane. A shared A is tried
// before a shared B within one saved pair. At most one row per current pair.
void SearchPlaneTriplets(const ReciprocalBasis& rb, const HklList& curFirst,
                         const HklList& curSecond, const HklList& savedFirst,
                         const HklList& savedSecond, double phiRad, double tolRad,
                         HklList& outFirst, HklList& outSecond);

// The surface plane (H K L) and horizontal direction (h k l) of the orientation in which p1
// diffracts along G1 and p2 lies in the plane of G1 and M (N = the normal of that plane,
// M = G1 x N). Each triple is scaled so that its largest component is +-1. Empty when p1 and
// p2 are parallel (no orientation follows).
struct RowOrientation {
    double H = 0, K = 0, L = 0;
    double h = 0, k = 0, l = 0;
};
std::optional<RowOrientation> OrientationOfRow(const ReciprocalBasis& rb, const HklTriple& p1,
                                               const HklTriple& p2, const Vec3& G1, const Vec3& N,
                                               const Vec3& M);

// A list row "h k l  <--->  h k l".
std::string PairRowText(const HklTriple& a, const HklTriple& b);

// The messages of the table.
Message ForwardDirectionMessage();
Message NoSpotsMessage();
Message AllLimitsZeroMessage();
Message TooManyPairsMessage();
Message SameDirectionMessage();
Message NoPairsToSaveMessage();
Message NothingSavedMessage();
Message MajorSpotMovedMessage(double savedX1, double savedY1);
Message SameSecondSpotMessage();
Message NoCurrentPairsMessage();
Message EmptyListMessage();
Message ParallelRowMessage();
Message HelpMissingMessage();

// The name of the help document in the program folder.
inline constexpr const char* kLutHelpFile = "Xelmor4-LUT-Help.pdf";

// The texts the dialog reads for a pair search.
struct PairSearchTexts {
    bool havePositions = true; // both position edits hold some text
    std::string tolerance;
    std::array<std::string, 3> limits;
};

// What a pair search did, in the order the dialog shows it. Every field that is set is to be
// shown; the message (if any) comes last.
struct PairSearchOutcome {
    bool angleCleared = false;   // the angle edit is emptied
    bool markersChanged = false; // both markers are set: the view redraws
    std::optional<std::string> angleText;
    std::optional<std::string> toleranceText;
    std::optional<std::array<std::string, 3>> limitTexts;
    bool listed = false; // the list was refilled from the pairs
    PairSearchEnd end = PairSearchEnd::Complete;
    std::optional<Message> message;
};

// What a triplet search did: a message and nothing else, or the new triplet rows.
struct TripletSearchOutcome {
    std::optional<Message> message;
    bool listed = false;
};

// The state of the look-up table between its operations: the candidates, the current, saved
// and triplet rows, the measured directions of the last pair search and where its spots were.
class CLookUpTable {
public:
    // The measured directions of the last pair search (lab, unit vectors) and their angle.
    Vec3 m_G1{}, m_G2{}, m_N{}, m_M{};
    Vec3 m_SavedG2{};
    double m_AngleRad = 0, m_AngleDeg = 0;
    double m_TolDeg = kStartTolDeg;
    double m_TolRad;
    double m_StepMm = kStartStepMm;
    int m_SearchHmax = kStartSearchLimit, m_SearchKmax = kStartSearchLimit,
        m_SearchLmax = kStartSearchLimit;
    std::array<double, 4> m_SearchPos{}; // Major x, y, 2nd x, y at the last completed search
    std::array<double, 4> m_SavedPos{};
    int m_bShowPairs = 1;
    int m_bSwap = 0;

    HklList m_Planes;
    HklList m_PairFirst, m_PairSecond;
    HklList m_SavedFirst, m_SavedSecond;
    HklList m_TripletFirst, m_TripletSecond;

    CLookUpTable();

    // "Search Pairs" on the marked spots of `p` (whose flags it sets).
    PairSearchOutcome SearchPairs(CParameterSet& p, const PairSearchTexts& texts,
                                  const SearchProgress& progress = {});
    // "Save Pairs": empty when the pairs were saved.
    std::optional<Message> SavePairs();
    // "Search Triplets with Current + Saved".
    TripletSearchOutcome SearchTriplets(const ReciprocalBasis& rb);

    // The rows the list shows now: pairs or triplets.
    const HklList& ShownFirst() const { return m_bShowPairs ? m_PairFirst : m_TripletFirst; }
    const HklList& ShownSecond() const { return m_bShowPairs ? m_PairSecond : m_TripletSecond; }
    int ShownCount() const { return ShownFirst().Count(); }
    // The texts of the shown rows; pairs with the second plane first while swapped.
    std::vector<std::string> ShownRowTexts() const;

    // The planes of shown row s for the Major and the 2nd spot (swapped while m_bSwap is 1).
    void RowPlanes(int s, HklTriple& p1, HklTriple& p2) const;
    // The orientation of shown row s from the directions of the last pair search.
    std::optional<RowOrientation> RowOrientationOf(const ReciprocalBasis& rb, int s) const;
    // Sets the orientation of shown row s as "Simulate Pattern" does before its run: surface
    // and horizontal indices, rotations 0, markers back at the last search's spots. False
    // (nothing changed) when the row fixes no orientation.
    bool ApplyRow(CParameterSet& p, int s) const;
};

// The count texts: "N pairs", "N triplets", "s  of N".
std::string PairCountText(int count);
std::string TripletCountText(int count);
std::string RowOfCountText(int row, int count);

// Moves a spot by one step: d = 1..4 the Major spot left, right, up, down, 5..8 the 2nd spot
// (left, right, up, down); stepMm in mm.
void MoveSpot(CParameterSet& p, int d, double stepMm);

} // namespace xelmor
