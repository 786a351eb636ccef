// Points of the pattern view for pointer tests: the spots by their indices, the device point
// of a spot's or a rectangle's centre, a click, and a point of empty film.
#pragma once

#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <cstdlib>

#include "tests/gui/test_doubles.h"
#include "xelmor/core/spot_details.h"
#include "xelmor/core/spot_pick.h"
#include "xelmor/view/xelmor_view.h"

namespace xelmor::test {

// The index of the spot with reduced indices (h, k, l), or -1.
inline int FindSpot(const std::vector<CDot>& spots, int h, int k, int l) {
    for (std::size_t i = 0; i < spots.size(); ++i)
        if (spots[i].h == h && spots[i].k == k && spots[i].l == l)
            return static_cast<int>(i);
    return -1;
}

// The index of the first spot named by order 2 of a (2 1 1)-type reflection, or -1.
inline int FindOrderTwo211(const std::vector<CDot>& spots) {
    for (std::size_t i = 0; i < spots.size(); ++i) {
        const CDot& s = spots[i];
        if (LowestKeptOrder(s) == 2 && std::abs(s.h) + std::abs(s.k) + std::abs(s.l) == 4 &&
            std::abs(s.h * s.k * s.l) == 2)
            return static_cast<int>(i);
    }
    return -1;
}

inline QString EditText(StartedApp& s, const char* id) {
    return s.bar->findChild<QLineEdit*>(QString::fromLatin1(id))->text();
}

// The device point of the centre of a logical rectangle.
inline QPoint DeviceCentre(const CXelmorView& view, const LogicalRect& r) {
    const DeviceMapping map = view.Mapping();
    return {map.X((r.left + r.right) / 2), map.Y((r.top + r.bottom) / 2)};
}

inline QPoint SpotPoint(StartedApp& s, int index) {
    const CParameterSet& p = s.Params();
    return DeviceCentre(*s.frame->View(),
                        SpotHitRect(s.frame->View()->Frame(), p.m_SpotWidth, p.m_SpotHeight,
                                    s.doc->Spots()[static_cast<std::size_t>(index)]));
}

inline void Click(StartedApp& s, QPoint at) {
    QTest::mouseClick(s.frame->View()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// A viewport point on the film that hits no spot.
inline QPoint EmptyFilmPoint(StartedApp& s) {
    CXelmorView& view = *s.frame->View();
    const CParameterSet& p = s.Params();
    const LogicalRect film = FilmRect(view.m_TotalWidth, view.m_TotalHeight);
    const DeviceMapping map = view.Mapping();
    const QSize size = view.viewport()->size();
    for (int y = film.top - 40; y > film.bottom + 40; y -= 20)
        for (int x = film.left + 40; x < film.right - 40; x += 20) {
            const QPoint d(map.X(x), map.Y(y));
            if (d.x() < 0 || d.y() < 0 || d.x() >= size.width() || d.y() >= size.height())
                continue;
            const LogicalPoint back = map.ToLogical(d.x(), d.y());
            if (HitSpot(s.doc->Spots(), view.Frame(), p.m_SpotWidth, p.m_SpotHeight, back) < 0)
                return d;
        }
    return {-1, -1};
}

} // namespace xelmor::test
