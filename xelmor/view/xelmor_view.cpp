#include "xelmor/view/xelmor_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <string_view>

#include "xelmor/app/commands.h"
#include "xelmor/app/seams.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/core/spot_pick.h"
#include "xelmor/dialogs/dlg_film_size.h"
#include "xelmor/dialogs/dlg_sel_spot.h"
#include "xelmor/panel/full_control_bar.h"

namespace xelmor {

namespace {

// The limits of the detector size, mm.
constexpr double kFilmUpper = 5000.0;
constexpr double kFilmLower = 20.0;

// The screen font of this number and above is the system font.
constexpr int kSystemFontNo = 2;

int Toggled(int flag) {
    return flag ? 0 : 1;
}

} // namespace

CXelmorView::CXelmorView(CXelmorDoc* doc, CParameterSet* params, SettingsStore* settings,
                         QWidget* parent)
    : QAbstractScrollArea(parent), m_pDoc(doc), m_pBar(params), m_pSettings(settings) {
    // The paint covers the whole window itself (film, margins), so nothing is erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_pDoc, &CXelmorDoc::Updated, this, &CXelmorView::OnUpdate);
    CreateIndexFonts(true, true);
    RecomputeScale();
}

bool CXelmorView::OnCommand(int id) {
    CParameterSet& p = *m_pBar;
    switch (id) {
    case ID_VIEW_CROSSLINE:
        p.m_bCrossline = Toggled(p.m_bCrossline);
        Invalidate();
        return true;
    case ID_VIEW_SPOT000:
        p.m_bShowSpot000 = Toggled(p.m_bShowSpot000);
        Invalidate();
        return true;
    case ID_SHOW_INDEX:
        p.m_bShowIndex = Toggled(p.m_bShowIndex);
        Invalidate();
        return true;
    case ID_ZOOM_CALIB:
        RecomputeScale();
        return true;
    case ID_INVALIDATE_VIEW:
        Invalidate();
        return true;
    case ID_FILM_SIZE:
        OnFilmSize();
        return true;
    case ID_SPOT_SIZE:
        OnSpotSize();
        return true;
    default:
        return false;
    }
}

void CXelmorView::OnUpdate() {
    Invalidate();
}

void CXelmorView::RecomputeScale() {
    m_Scale = ViewScale(m_pBar->m_nZoom, m_pBar->m_CalibFactor);
    const ViewFrame extent = ViewExtent(m_Scale, m_pBar->m_FilmWidth, m_pBar->m_FilmHeight);
    m_TotalWidth = extent.width;
    m_TotalHeight = extent.height;
    UpdateScrollBars();
    Invalidate();
}

void CXelmorView::CreateIndexFonts(bool screen, bool print) {
    const CParameterSet& p = *m_pBar;
    if (screen) {
        m_pScreenFont.reset();
        if (p.m_FontNoScreen < kSystemFontNo) {
            const std::string_view face = IndexFontFace(p.m_FontNoScreen);
            m_pScreenFont =
                CreateIndexFont(face, static_cast<int>(p.m_FontHeightScreen * p.m_CalibFactor));
            if (!m_pScreenFont)
                ShowMessage(this, FontFailureMessage(face));
        }
    }
    if (print) {
        m_pPrintFont.reset();
        const std::string_view face = IndexFontFace(p.m_FontNoPrint);
        m_pPrintFont = CreateIndexFont(face, p.m_FontHeightPrint);
        if (!m_pPrintFont)
            ShowMessage(this, FontFailureMessage(face));
    }
    Invalidate();
}

ViewFrame CXelmorView::Frame() const {
    ViewFrame f;
    f.scale = m_Scale;
    f.width = m_TotalWidth;
    f.height = m_TotalHeight;
    f.shiftX = m_pDoc->m_Run.runShiftX;
    f.shiftY = m_pDoc->m_Run.runShiftY;
    return f;
}

PatternScene CXelmorView::Scene() const {
    PatternScene s;
    s.params = m_pBar;
    s.spots = &m_pDoc->Spots();
    s.selSpot = m_pDoc->m_nSelSpot;
    s.frame.scale = m_Scale;
    s.frame.width = m_TotalWidth;
    s.frame.height = m_TotalHeight;
    s.frame.shiftX = m_pDoc->m_Run.runShiftX;
    s.frame.shiftY = m_pDoc->m_Run.runShiftY;
    s.spot000X = m_pDoc->m_Run.spot000X;
    s.spot000Y = m_pDoc->m_Run.spot000Y;
    s.merge1 = &m_pDoc->m_Merge1;
    s.merge2 = &m_pDoc->m_Merge2;
    s.backImage = m_pDoc->m_pBackImage.get();
    s.backWidth = m_pDoc->m_BackWidth;
    s.backHeight = m_pDoc->m_BackHeight;
    s.labelFont = m_pScreenFont ? &*m_pScreenFont : nullptr;
    return s;
}

DeviceMapping CXelmorView::Mapping() const {
    return MappingOf(*viewport(),
                     QPoint(-horizontalScrollBar()->value(), -verticalScrollBar()->value()));
}

void CXelmorView::paintEvent(QPaintEvent* event) {
    // A pattern whose intensity scale was reset (a new crystal or geometry) is not drawn with
    // its stale spots.
    if (m_pBar->m_Isat <= 0 && !m_pDoc->Spots().empty())
        m_pDoc->Spots().clear();
    QPainter painter(viewport());
    painter.setClipRect(event->rect());
    PaintPattern(painter, Scene(), Mapping());
}

void CXelmorView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CXelmorView::scrollContentsBy(int dx, int dy) {
    // The mapping only moves by whole pixels, so the drawn part can be moved as it is.
    viewport()->scroll(dx, dy);
}

void CXelmorView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        OnLeftButtonDown(event);
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CXelmorView::OnLeftButtonDown(QMouseEvent* event) {
    const std::vector<CDot>& spots = m_pDoc->Spots();
    if (spots.empty())
        return;
    CParameterSet& p = *m_pBar;
    const QPoint at = event->position().toPoint();
    const LogicalPoint point = Mapping().ToLogical(at.x(), at.y());
    const int prev = m_pDoc->m_nSelSpot;
    const int hit = HitSpot(spots, Frame(), p.m_SpotWidth, p.m_SpotHeight, point);
    // The selected spot clicked again: nothing changes and nothing is redrawn.
    if (hit >= 0 && hit == prev)
        return;
    m_pDoc->m_nSelSpot = hit;
    if (hit >= 0) {
        const CDot& spot = spots[static_cast<std::size_t>(hit)];
        if (m_pControlBar)
            m_pControlBar->ShowSelectedSpot(QString::fromStdString(SpotReflectionText(spot)),
                                            QString::fromStdString(SpotWavelengthText(spot)));
        if (m_pSelSpot)
            m_pSelSpot->ShowSpot(&spot, p.m_Isat);
    } else {
        // Empty film with nothing selected and no marker: nothing to take away.
        if (prev < 0 && !p.m_bMajorSpot) {
            QAbstractScrollArea::mousePressEvent(event);
            return;
        }
        if (m_pSelSpot)
            m_pSelSpot->ShowSpot(nullptr, p.m_Isat);
        if (m_pControlBar)
            m_pControlBar->ClearSelectedSpot();
    }
    // A left click removes both look-up-table markers.
    p.m_bSecondSpot = 0;
    p.m_bMajorSpot = 0;
    Invalidate();
    QAbstractScrollArea::mousePressEvent(event);
}

void CXelmorView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int sel = m_pDoc->m_nSelSpot;
    if (event->button() == Qt::LeftButton && m_pSelSpot && sel >= 0 &&
        sel < static_cast<int>(m_pDoc->Spots().size())) {
        m_pSelSpot->show();
        m_pSelSpot->raise();
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void CXelmorView::Invalidate() {
    viewport()->update();
}

void CXelmorView::UpdateScrollBars() {
    const DeviceMapping map = MappingOf(*viewport());
    const int width = map.X(m_TotalWidth), height = map.Y(-m_TotalHeight);
    const QSize page = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, width - page.width()));
    h->setPageStep(page.width());
    h->setSingleStep(std::max(1, width / 100));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, height - page.height()));
    v->setPageStep(page.height());
    v->setSingleStep(std::max(1, height / 100));
}

void CXelmorView::OnFilmSize() {
    CParameterSet& p = *m_pBar;
    SizeDialogValues in;
    in.upper = kFilmUpper;
    in.lower = kFilmLower;
    in.width = p.m_FilmWidth / 10;
    in.height = p.m_FilmHeight / 10;
    CDlgFilmSize dialog(in, m_pSettings, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    const SizeDialogValues& out = dialog.Values();
    m_ExportWidth = RescaledExportWidth(m_ExportWidth, out.width * 10, p.m_FilmWidth);
    p.m_FilmWidth = out.width * 10;
    p.m_FilmHeight = out.height * 10;
    RecomputeScale();
    if (p.m_bGeometrySet)
        m_pDoc->OnUpdateBarToApp();
}

void CXelmorView::OnSpotSize() {
    CParameterSet& p = *m_pBar;
    SizeDialogValues in;
    in.spotMode = true;
    in.width = p.m_SpotWidth / 10;
    in.height = p.m_SpotHeight / 10;
    CDlgFilmSize dialog(in, m_pSettings, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    p.m_SpotWidth = dialog.Values().width * 10;
    p.m_SpotHeight = dialog.Values().height * 10;
    Invalidate();
}

} // namespace xelmor
