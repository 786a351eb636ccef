#include "xelmor/view/xelmor_view.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <string_view>

#include "xelmor/app/commands.h"
#include "xelmor/app/seams.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/core/export_layout.h"
#include "xelmor/core/spot_pick.h"
#include "xelmor/dialogs/dlg_export_image.h"
#include "xelmor/dialogs/dlg_film_size.h"
#include "xelmor/dialogs/dlg_merge_bitmap.h"
#include "xelmor/dialogs/dlg_sel_spot.h"
#include "xelmor/panel/full_control_bar.h"
#include "xelmor/tools/dlg_fix_refl_rot.h"
#include "xelmor/tools/dlg_lut.h"
#include "xelmor/view/image_export.h"

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
    case ID_EXPORT_IMAGE:
        OnExportImage();
        return true;
    case ID_IMPORT_IMAGE:
        OnImportImage();
        return true;
    case ID_FIND_REFLECTION:
        OnFind();
        return true;
    case ID_LUT_MENU:
        if (m_pLUT)
            m_pLUT->ShowTable();
        return true;
    case ID_FINE_ADJUST_LUT:
        if (p.m_bMajorSpot)
            Invalidate();
        return true;
    case ID_SET_REFL_TO_POINT:
        OnSetReflToPoint();
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
    PatternScene scene = Scene();
    const DeviceMapping map = Mapping();
    if (scene.backImage && !scene.backImage->isNull()) {
        // The copy at the shown size: a repaint then only copies pixels.
        const DeviceRect d =
            ToDevice(map, BackImageRect(scene.frame, scene.backWidth, scene.backHeight));
        scene.backImage = m_BackCache.For(*scene.backImage, QSize(d.width, d.height));
    }
    PaintPattern(painter, scene, map);
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
    if (event->button() == Qt::RightButton) {
        OnRightButtonDown(event);
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
        ShowSelection(&spots[static_cast<std::size_t>(hit)]);
    } else {
        // Empty film with nothing selected and no marker: nothing to take away.
        if (prev < 0 && !p.m_bMajorSpot) {
            QAbstractScrollArea::mousePressEvent(event);
            return;
        }
        ShowSelection(nullptr);
    }
    // A left click removes both look-up-table markers.
    p.m_bSecondSpot = 0;
    p.m_bMajorSpot = 0;
    Invalidate();
    QAbstractScrollArea::mousePressEvent(event);
}

void CXelmorView::ShowSelection(const CDot* spot) {
    if (m_pSelSpot)
        m_pSelSpot->ShowSpot(spot, m_pBar->m_Isat);
    if (!m_pControlBar)
        return;
    if (spot)
        m_pControlBar->ShowSelectedSpot(QString::fromStdString(SpotReflectionText(*spot)),
                                        QString::fromStdString(SpotWavelengthText(*spot)));
    else
        m_pControlBar->ClearSelectedSpot();
}

void CXelmorView::OnRightButtonDown(QMouseEvent* event) {
    CParameterSet& p = *m_pBar;
    const QPoint at = event->position().toPoint();
    const LogicalPoint point = Mapping().ToLogical(at.x(), at.y());
    if (m_pDoc->Spots().empty() || !OnFilm(Frame(), point)) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const FilmPoint film = LogicalToFilm(Frame(), point);
    if (event->modifiers() & Qt::ControlModifier) {
        // The 2nd spot needs a Major spot first.
        if (p.m_bMajorSpot) {
            p.m_bSecondSpot = 1;
            p.m_SecondX = film.x;
            p.m_SecondY = film.y;
            Invalidate();
            if (m_pLUT) {
                m_pLUT->ShowTable();
                m_pLUT->SecondPosition()->setText(
                    QString::fromStdString(MarkerPositionText(p.m_SecondX, p.m_SecondY)));
            }
        }
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    p.m_bSecondSpot = 0;
    if (m_pDoc->m_nSelSpot >= 0) {
        m_pDoc->m_nSelSpot = -1;
        ShowSelection(nullptr);
    }
    p.m_bMajorSpot = 1;
    p.m_MajorX = film.x;
    p.m_MajorY = film.y;
    Invalidate();
    if (m_pLUT)
        m_pLUT->MajorPosition()->setText(
            QString::fromStdString(MarkerPositionText(p.m_MajorX, p.m_MajorY)));

    // The menu offers the rotation about a reflection at this point and shows where it is.
    delete m_pContextMenu;
    m_pContextMenu = new QMenu(this);
    QAction* fix = m_pContextMenu->addAction(QStringLiteral("&Set a Reflection to this Point"));
    connect(fix, &QAction::triggered, this, [this] { OnCommand(ID_SET_REFL_TO_POINT); });
    QAction* where =
        m_pContextMenu->addAction(QString::fromStdString(MarkerMenuText(p.m_MajorX, p.m_MajorY)));
    where->setEnabled(false);
    m_pContextMenu->popup(event->globalPosition().toPoint() + QPoint(15, 5));
    QAbstractScrollArea::mousePressEvent(event);
}

void CXelmorView::OnSetReflToPoint() {
    CFullControlBar* bar = m_pControlBar;
    CDlgFixReflRot dialog(
        m_pBar,
        [bar] {
            if (bar)
                bar->ZeroRotationsAndUpdate();
        },
        [this] { Invalidate(); }, this);
    RunModal(dialog);
}

void CXelmorView::OnFind() {
    if (!m_pControlBar)
        return;
    const QString text = m_pControlBar->ReflectionText();
    const std::vector<CDot>& spots = m_pDoc->Spots();
    if (spots.empty()) {
        if (!text.isEmpty()) {
            ShowMessage(this, NoPatternYetMessage());
            m_pControlBar->SetReflectionText(QString());
        }
        return;
    }
    if (text.isEmpty()) {
        ShowMessage(this, EnterReflectionMessage());
        m_pControlBar->FocusReflection();
        return;
    }
    const ReflectionQuery query = ParseReflectionQuery(text.toStdString());
    const ReflectionMatch match = FindReflection(spots, query);
    if (match.spot < 0) {
        ShowMessage(this, ReflectionNotFoundMessage(query));
        if (m_pDoc->m_nSelSpot >= 0) {
            m_pDoc->m_nSelSpot = -1;
            ShowSelection(nullptr);
            Invalidate();
        }
        return;
    }
    m_pDoc->m_nSelSpot = match.spot;
    ShowSelection(&spots[static_cast<std::size_t>(match.spot)]);
    // A higher order than the one the box now shows: the details tell which orders there are.
    if (match.harmonic > 0 && m_pSelSpot) {
        m_pSelSpot->show();
        m_pSelSpot->raise();
    }
    Invalidate();
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

void CXelmorView::OnExportImage() {
    CParameterSet& p = *m_pBar;
    const CXelmorDoc& doc = *m_pDoc;
    ExportDialogValues in;
    in.width = ProposedExportWidth(m_ExportWidth, p.m_FilmWidth);
    in.ratio = p.m_FilmHeight / p.m_FilmWidth;
    in.colorDepth = 1;
    in.plotIndices = p.m_bShowIndex;
    in.whiteSpaceSep = m_bWhiteSpaceSep;
    in.fontNo = p.m_FontNoBmp;
    in.fontHeight = p.m_FontHeightBmp;
    in.xOffset = p.m_FontXoffsetBmp;
    in.yOffset = p.m_FontYoffsetBmp;
    in.ignorePct = p.m_Truncate * 100;
    in.sortMerged = m_bSortMerged;
    in.showInfo = m_bShowInfo;
    in.sortAvailable = !doc.m_Merge1.records.empty() || !doc.m_Merge2.records.empty();
    CDlgExportImage dialog(in, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    const ExportDialogValues& out = dialog.Values();
    m_ExportWidth = out.width;
    m_bExportIndices = out.plotIndices;
    m_ExportHeight = ExportHeight(out.width, in.ratio);
    m_bShowInfo = out.showInfo;
    m_bSortMerged = out.sortMerged;
    if (out.plotIndices) {
        p.m_FontNoBmp = out.fontNo;
        m_bWhiteSpaceSep = out.whiteSpaceSep;
        p.m_FontHeightBmp = out.fontHeight;
        p.m_FontXoffsetBmp = out.xOffset;
        p.m_FontYoffsetBmp = out.yOffset;
        m_ExportIgnoreBelow = out.ignorePct / 100;
    }
    const QString path = Files().Save(
        this, QStringLiteral("Export Laue pattern to an image file"),
        QStringLiteral("Tiff Files (*.tif)|*.tif|Bitmap Files (*.bmp)|*.bmp|JEPG Files "
                       "(*.jpg)|*.jpg||"),
        QStringLiteral("tif"), QString(), QString());
    if (path.isEmpty())
        return;

    ExportImageScene scene;
    scene.params = m_pBar;
    scene.spots = &doc.Spots();
    scene.runShiftX = doc.m_Run.runShiftX;
    scene.runShiftY = doc.m_Run.runShiftY;
    scene.spot000X = doc.m_Run.spot000X;
    scene.spot000Y = doc.m_Run.spot000Y;
    scene.merge1 = &doc.m_Merge1;
    scene.merge2 = &doc.m_Merge2;
    scene.backImage = doc.m_pBackImage.get();
    scene.backWidth = doc.m_BackWidth;
    scene.backHeight = doc.m_BackHeight;
    ExportImageSettings settings;
    settings.width = m_ExportWidth;
    settings.height = m_ExportHeight;
    settings.sixteenBit = out.colorDepth == 0;
    settings.indices = m_bExportIndices != 0;
    settings.whiteSpaceSep = m_bWhiteSpaceSep != 0;
    settings.ignoreBelow = m_ExportIgnoreBelow;
    settings.showInfo = m_bShowInfo != 0;
    settings.sortMerged = m_bSortMerged != 0;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<Message> failed = ExportPatternImage(scene, settings, path);
    QApplication::restoreOverrideCursor();
    if (failed)
        ShowMessage(this, *failed);
}

void CXelmorView::OnImportImage() {
    CXelmorDoc& doc = *m_pDoc;
    RecordedImageValues in;
    if (doc.m_pBackImage) {
        in.fileName = doc.m_strBackFile;
        in.pixelWidth = doc.m_BackPixelWidth;
        in.pixelHeight = doc.m_BackPixelHeight;
        in.realWidth = doc.m_BackWidth / 10;
    }
    CDlgMergeBitmap dialog(in, m_pSettings, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    const RecordedImageValues& out = dialog.Values();
    if (dialog.HasNewImage()) {
        doc.m_pBackImage = dialog.TakeImage();
        doc.m_strBackFile = out.fileName;
        doc.m_BackPixelWidth = out.pixelWidth;
        doc.m_BackPixelHeight = out.pixelHeight;
        doc.m_BackWidth = out.realWidth * 10;
        doc.m_BackHeight = dialog.Aspect() * out.realWidth * 10;
    } else if (!out.fileName.isEmpty()) {
        doc.m_BackWidth = out.realWidth * 10;
        doc.m_BackHeight = dialog.Aspect() * out.realWidth * 10;
    } else {
        doc.m_pBackImage.reset();
        doc.m_strBackFile.clear();
        doc.m_BackPixelWidth = doc.m_BackPixelHeight = 0;
        doc.m_BackWidth = doc.m_BackHeight = 0;
    }
    Invalidate();
}

} // namespace xelmor
