// "Import a Recorded Laue Pattern Image": chooses the recorded image, shows its pixel size and
// takes its real width, from which the real height follows.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace xelmor {

class SettingsStore;

// What the caller hands in: the current background's file name (without folder), pixel size and
// real width in mm; an empty name, 0, 0 and 0 without a background.
struct RecordedImageValues {
    QString fileName;
    int pixelWidth = 0, pixelHeight = 0;
    double realWidth = 0.0; // mm
};

class CDlgMergeBitmap : public QDialog {
    Q_OBJECT
public:
    // OK stores the accepted width as the default of the next first import in `settings`.
    CDlgMergeBitmap(const RecordedImageValues& values, SettingsStore* settings,
                    QWidget* parent = nullptr);

    // After OK: the file name (empty when there is no image), the pixel size, the aspect
    // (pixel height / width) and the real width (mm).
    const RecordedImageValues& Values() const { return m_Values; }
    double Aspect() const { return m_Aspect; }
    // The image this dialog decoded, if any; the caller takes it over.
    std::unique_ptr<QImage> TakeImage() { return std::move(m_pImage); }
    bool HasNewImage() const { return m_pImage != nullptr; }

    void accept() override;

private:
    void OnImport();
    void OnRemove();
    void ShowRealHeight();

    RecordedImageValues m_Values;
    double m_Aspect = 0.0;
    std::unique_ptr<QImage> m_pImage;
    SettingsStore* m_pSettings;
    QLineEdit* m_pFile;
    QLineEdit* m_pPixelWidth;
    QLineEdit* m_pPixelHeight;
    QLineEdit* m_pRealWidth;
    QLineEdit* m_pRealHeight;
    QPushButton* m_pImport;
    QPushButton* m_pRemove;
};

} // namespace xelmor
