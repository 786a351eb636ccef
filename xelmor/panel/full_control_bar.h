// The control panel docked beside the pattern: the home of the controls that edit the parameter
// set. This first form holds only the spot-count text; the input controls follow.
#pragma once

#include <QWidget>

#include <functional>

class QLabel;

namespace xelmor {

class CParameterSet;
class SettingsStore;

class CFullControlBar : public QWidget {
    Q_OBJECT
public:
    // Reads the zoom calibration and the label font values from the settings once, as the
    // panel's initialisation does.
    CFullControlBar(CParameterSet* params, SettingsStore* settings, QWidget* parent = nullptr);

    // Where the panel sends its commands (the main window's routing).
    void SetCommandTarget(std::function<void(int)> send) { m_send = std::move(send); }

    // A command delivered to the panel; false when the panel does not handle it yet.
    bool OnCommand(int id);
    // The menu's "Spectr&um..." passed on by the main window.
    void OnSpectrum() {}

    // The input check of the look-up table and of a run: a spectrum, a crystal and a geometry
    // must be present. Otherwise shows the warning of the first one missing, gives the focus to
    // the panel button that supplies it and returns false.
    bool CheckInputs();

public slots:
    // The spot-count text (" 0 spots" at start, emptied by a reset, "N spots" after a run).
    void SetSpotCountText(const QString& text);

private:
    CParameterSet* m_pParams;
    std::function<void(int)> m_send;
    QLabel* m_pSpotCount;
};

} // namespace xelmor
