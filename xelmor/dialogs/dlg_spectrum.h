// The "Spectrum of Incident X-Ray Beam" dialog: shows the spectrum as a plot, imports a
// spectrum file, saves the spectrum as a .spct file and makes a saved file the default.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

#include "xelmor/files/spectrum_file.h"

class QPushButton;

namespace xelmor {

class CEdit_Color;
class SettingsStore;

// What the dialog edits: the spectrum and the file it came from (empty: none).
struct SpectrumDialogValues {
    Spectrum spectrum;
    QString file;
};

// The plot frame: white, with the intensity and wavelength axes and the curve in red.
class CSpectrumPlot : public QWidget {
public:
    explicit CSpectrumPlot(QWidget* parent = nullptr);
    void SetSpectrum(const Spectrum* spectrum);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const Spectrum* m_pSpectrum = nullptr;
};

class CDlgSpectrum : public QDialog {
    Q_OBJECT
public:
    // "Set as Default Spectrum" writes into `settings` at once. `dirSpectrum`: the folder of the
    // last spectrum file chosen; `programDir` holds the example spectrum.
    CDlgSpectrum(const SpectrumDialogValues& values, SettingsStore* settings,
                 const QString& dirSpectrum, const QString& programDir, QWidget* parent = nullptr);

    const SpectrumDialogValues& Values() const { return m_values; }
    // Whether a spectrum was imported while the dialog was open.
    bool Changed() const { return m_bChanged; }
    // The folder of the last file chosen for import or save.
    const QString& DirSpectrum() const { return m_strDirSpectrum; }

private:
    void OnImport();
    void OnSaveAs();
    void OnSetAsDefault();
    void OnFormatHelp();
    void ShowName();

    SpectrumDialogValues m_values;
    SettingsStore* m_pSettings;
    QString m_strDirSpectrum;
    QString m_strProgramDir;
    QString m_strExampleFile;
    bool m_bChanged = false;

    CEdit_Color* m_pName = nullptr;   // 1103
    CSpectrumPlot* m_pPlot = nullptr; // 1109
    QPushButton* m_pOk = nullptr;
};

} // namespace xelmor
