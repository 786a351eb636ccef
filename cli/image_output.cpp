#include "cli/image_output.h"

#include <QGuiApplication>

#include <memory>

#include "xelmor/core/export_layout.h"
#include "xelmor/view/image_export.h"

namespace xelmor {

namespace {

// Qt's drawing needs a GUI application; the batch simulator makes one on the offscreen platform
// the first time it draws, so it runs without a display.
void EnsureGuiApplication() {
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "xelmor-sim";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

std::optional<std::string> WritePatternImage(const CParameterSet& p, const SimulationResult& r,
                                             const std::string& path, int width) {
    const double ratio = p.m_FilmHeight / p.m_FilmWidth;
    const int w = width > 0 ? width : ProposedExportWidth(0, p.m_FilmWidth);
    if (std::optional<Message> refused = CheckExportWidth(w, ratio))
        return "--width: " + refused->text;
    EnsureGuiApplication();
    ExportImageScene scene;
    scene.params = &p;
    scene.spots = &r.spots;
    scene.runShiftX = r.runShiftX;
    scene.runShiftY = r.runShiftY;
    scene.spot000X = r.spot000X;
    scene.spot000Y = r.spot000Y;
    ExportImageSettings settings;
    settings.width = w;
    settings.height = ExportHeight(w, ratio);
    settings.indices = false;
    settings.showInfo = true;
    if (std::optional<Message> failed =
            ExportPatternImage(scene, settings, QString::fromStdString(path)))
        return failed->text;
    return std::nullopt;
}

} // namespace xelmor
