#include "xelmor/panel/full_control_bar.h"

#include <QLabel>
#include <QVBoxLayout>

#include "xelmor/app/seams.h"
#include "xelmor/core/params.h"
#include "xelmor/files/settings_values.h"

namespace xelmor {

namespace {

// Wide enough for the floating caption and the controls to come.
constexpr int kMinimumWidth = 200;

} // namespace

CFullControlBar::CFullControlBar(CParameterSet* params, SettingsStore* settings, QWidget* parent)
    : QWidget(parent), m_pParams(params) {
    setObjectName(QStringLiteral("id320"));
    setMinimumWidth(kMinimumWidth);
    ReadPanelSettings(*settings, *params);

    auto* layout = new QVBoxLayout(this);
    m_pSpotCount = new QLabel(QStringLiteral(" 0 spots"), this);
    m_pSpotCount->setObjectName(QStringLiteral("id1167"));
    layout->addWidget(m_pSpotCount);
    layout->addStretch(1);
}

bool CFullControlBar::OnCommand(int) {
    return false;
}

bool CFullControlBar::CheckInputs() {
    const SimulateBlock block = CanSimulate(*m_pParams);
    if (block == SimulateBlock::None)
        return true;
    ShowMessage(this, SimulateBlockMessage(block));
    // The Crystal button (1005) supplies the crystal, the Geometry button (1006) the geometry.
    const char* button = block == SimulateBlock::NoCrystal    ? "id1005"
                         : block == SimulateBlock::NoGeometry ? "id1006"
                                                              : nullptr;
    if (button)
        if (QWidget* w = findChild<QWidget*>(QString::fromLatin1(button)))
            w->setFocus();
    return false;
}

void CFullControlBar::SetSpotCountText(const QString& text) {
    m_pSpotCount->setText(text);
}

} // namespace xelmor
