// Test helpers of Xelmor's widget tests: the seam doubles (seam_doubles.h), a started program
// with every double installed, a silicon crystal ready to simulate and a paint counter.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "tests/gui/seam_doubles.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/main_frame.h"
#include "xelmor/app/seams.h"
#include "xelmor/app/xelmor_app.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/core/params.h"
#include "xelmor/files/settings.h"
#include "xelmor/files/settings_values.h"
#include "xelmor/panel/full_control_bar.h"

namespace xelmor::test {

// A store as a program that ran before leaves it: the screen is calibrated, so no calibration
// dialog opens at start-up.
inline void MarkCalibrated(SettingsStore& store, int calibZoom = kUncalibratedZoom) {
    WriteCalibZoom(store, calibZoom);
}

// Starts the program on `store` with `programDir` as program folder and `arguments` as its
// command line. Null when the start-up failed.
inline std::unique_ptr<CXelmorApp> StartApp(SettingsStore& store,
                                            const QString& programDir = BuiltProgramDir(),
                                            const QStringList& arguments = QStringList()) {
    // The program's name is the caption of its messages.
    QCoreApplication::setApplicationName(QStringLiteral("Xelmor"));
    auto app = std::make_unique<CXelmorApp>(&store, programDir);
    if (!app->InitInstance(arguments))
        return nullptr;
    return app;
}

// Gives the parameter set a silicon crystal (diamond structure, a = 5.431 Angstrom) and a
// confirmed geometry (surface 0 0 1, horizontal 1 0 0, index ranges 4), so a run can follow.
inline void SetUpSilicon(CParameterSet& p) {
    CrystalData si{"Silicon", 5.431, 5.431, 5.431, 90, 90, 90, {}};
    const double fcc[4][3] = {{0, 0, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}};
    for (double shift : {0.0, 0.25})
        for (const auto& f : fcc)
            si.atoms.push_back({14, f[0] + shift, f[1] + shift, f[2] + shift, 1.0});
    TakeOverCrystal(p, std::move(si));
    MarkCrystalChanged(p);
    p.m_H = 0, p.m_K = 0, p.m_L = 1;
    p.m_h = 1, p.m_k = 0, p.m_l = 0;
    p.m_Hmax = p.m_Kmax = p.m_Lmax = 4;
    MarkGeometryConfirmed(p);
}

// Counts the paints of a widget (to tell that something was, or was not, redrawn).
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// A started program with every double installed (dialogs are cancelled unless a test sets
// `dialogs.fill`), on a calibrated store that `prepare` may fill first.
struct StartedApp {
    MemorySettingsStore store;
    MessageRecorder messages;
    DialogScript dialogs{[](QDialog& d) { d.reject(); }};
    FileScript files;
    RecordingShell shell;
    std::unique_ptr<CXelmorApp> app;
    CMainFrame* frame = nullptr;
    CXelmorDoc* doc = nullptr;
    CFullControlBar* bar = nullptr;

    explicit StartedApp(std::function<void(MemorySettingsStore&)> prepare = {}) {
        MarkCalibrated(store);
        if (prepare)
            prepare(store);
        app = StartApp(store);
        frame = app->MainFrame();
        doc = app->Document();
        bar = frame->ControlBar();
    }
    CParameterSet& Params() { return app->m_Params; }
    // A pattern with spots: silicon with a confirmed geometry, then a run.
    void Simulate() {
        SetUpSilicon(app->m_Params);
        frame->OnCommand(ID_UPDATE_BAR_TO_APP);
    }
};

} // namespace xelmor::test
