// The pattern view: the scrolling window that shows the simulated pattern on the film at the
// chosen zoom, and the view commands that only change what is shown.
#pragma once

#include <QAbstractScrollArea>

class QMenu;

#include <optional>

#include "xelmor/core/params.h"
#include "xelmor/core/view_mapping.h"
#include "xelmor/view/pattern_painter.h"
#include "xelmor/view/recorded_image.h"

namespace xelmor {

class CDlgLUT;
class CDlgSelSpot;
class CFullControlBar;
class CXelmorDoc;
class SettingsStore;

class CXelmorView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The view shows `doc` with the program's parameter set; `settings` receives the sizes the
    // size dialogs store as defaults. Creates both index fonts and sets the scale.
    CXelmorView(CXelmorDoc* doc, CParameterSet* params, SettingsStore* settings,
                QWidget* parent = nullptr);

    CXelmorDoc* GetDocument() const { return m_pDoc; }

    // Where a selection is shown: the panel's Reflection and Wavelength boxes and the
    // spot-details dialog; and the look-up table, whose position edits show the marked points.
    void SetSelectionTargets(CFullControlBar* bar, CDlgSelSpot* details, CDlgLUT* lut) {
        m_pControlBar = bar;
        m_pSelSpot = details;
        m_pLUT = lut;
    }

    // The view's frame at the current scale: extent and the film shift of the last run.
    ViewFrame Frame() const;

    // Handles the view's commands: 32800 crosslines, 32922 spot 000, 32782 labels (toggles),
    // 32874 scale, 32882 redraw, 32869 film size, 32780 spot size; 32935 Find, 32953 shows the
    // look-up table, 32956 redraws the markers, 32943 the rotation about the reflection at the
    // marked point. False for any other id.
    bool OnCommand(int id);

    // The document changed: redraw.
    void OnUpdate();

    // Scale and scroll extent from the zoom, the calibration factor and the film size; redraws.
    void RecomputeScale();

    // Rebuilds the screen and/or the print label font from the parameter set; a face that
    // cannot be had shows "Cannot create Font: " + face + "." and leaves that font unset (the
    // labels then use the system font).
    void CreateIndexFonts(bool screen, bool print);

    // What one paint of the view reads, at the current scale.
    PatternScene Scene() const;
    // The view's mapping onto its window at the current scroll position.
    DeviceMapping Mapping() const;

    double m_Scale = 1.0;                    // logical units per 0.1 mm of film
    int m_TotalWidth = 0, m_TotalHeight = 0; // scroll extent, logical units
    // Width in pixels of the next exported image; 0 until an image was exported.
    int m_ExportWidth = 0;
    // The other settings of the image export, kept between exports: the height in pixels,
    // labels, separators, the ignore level (fraction of m_Imax), the information line and the
    // sorted drawing of merged patterns.
    int m_ExportHeight = 0;
    int m_bExportIndices = 0;
    int m_bWhiteSpaceSep = 1;
    double m_ExportIgnoreBelow = 0.0;
    int m_bShowInfo = 1;
    int m_bSortMerged = 1;
    std::optional<IndexFont> m_pScreenFont, m_pPrintFont;

    // The pop-up menu of the last right click on the film (kept until the next one).
    QMenu* ContextMenu() const { return m_pContextMenu; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // A left click selects the spot under the pointer; a double click shows its details.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Invalidate();
    void UpdateScrollBars();
    void OnFilmSize();
    void OnSpotSize();
    // 32814: the export dialog, the file choice and the image.
    void OnExportImage();
    // 32920: the recorded-image dialog; the document takes its result.
    void OnImportImage();
    void OnLeftButtonDown(QMouseEvent* event);
    void OnRightButtonDown(QMouseEvent* event);
    // Finds the reflection typed into the panel's Reflection box and selects its spot.
    void OnFind();
    // The rotation about a reflection set to diffract into the marked point.
    void OnSetReflToPoint();
    // Shows a selected spot in the panel's boxes and the spot-details dialog (null: empties).
    void ShowSelection(const CDot* spot);

    CXelmorDoc* m_pDoc;
    CParameterSet* m_pBar;
    SettingsStore* m_pSettings;
    CFullControlBar* m_pControlBar = nullptr;
    CDlgSelSpot* m_pSelSpot = nullptr;
    CDlgLUT* m_pLUT = nullptr;
    QMenu* m_pContextMenu = nullptr;
    // The recorded image at the size shown, made again only when the zoom or the image changes.
    RecordedImageCache m_BackCache;
};

} // namespace xelmor
