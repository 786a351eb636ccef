#include "xelmor/dialogs/first_pattern.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "structfile/message.h"
#include "structfile/number_format.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/geometry.h"
#include "xelmor/core/params.h"
#include "xelmor/core/prompts.h"
#include "xelmor/dialogs/dlg_cryst.h"
#include "xelmor/dialogs/dlg_diff_set.h"
#include "xelmor/dialogs/dlg_help_cryst_rot.h"
#include "xelmor/dialogs/dlg_help_film.h"
#include "xelmor/dialogs/dlg_spectrum.h"
#include "xelmor/files/spectrum_file.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

// The text of an edit without the blanks around it, and without a leading '+' (which the
// number readers below do not take).
std::string Typed(const QLineEdit* edit) {
    std::string s = edit->text().trimmed().toStdString();
    if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+')
        s.erase(0, 1);
    return s;
}

void Refuse(QLineEdit* edit, const std::string& text) {
    ShowMessage(edit->window(), MakeMessage(text, MsgIcon::Exclamation));
    edit->setFocus();
    edit->selectAll();
}

std::optional<double> ReadReal(QLineEdit* edit) {
    const std::string s = Typed(edit);
    double v = 0.0;
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, v);
    // Infinity and NaN would pass any range test; they are no numbers to a dialog.
    if (s.empty() || r.ec != std::errc() || r.ptr != end || !std::isfinite(v)) {
        Refuse(edit, kNumberPrompt);
        return std::nullopt;
    }
    return v;
}

} // namespace

std::optional<double> ExchangeReal(QLineEdit* edit) {
    return ReadReal(edit);
}

std::optional<double> ExchangeReal(QLineEdit* edit, double lo, double hi) {
    const std::optional<double> v = ReadReal(edit);
    if (!v)
        return std::nullopt;
    if (*v < lo || *v > hi) {
        Refuse(edit, NumberRangePrompt(lo, hi));
        return std::nullopt;
    }
    return v;
}

std::optional<int> ExchangeInt(QLineEdit* edit, int lo, int hi) {
    const std::string s = Typed(edit);
    int v = 0;
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, v);
    if (s.empty() || r.ec != std::errc() || r.ptr != end) {
        Refuse(edit, kIntegerPrompt);
        return std::nullopt;
    }
    if (v < lo || v > hi) {
        Refuse(edit, IntegerRangePrompt(lo, hi));
        return std::nullopt;
    }
    return v;
}

QString ProgramFile(const QString& programDir, const QString& fileName) {
    return programDir + QDir::separator() + fileName;
}

void ShowExampleFile(QWidget* parent, const QString& path) {
    if (DesktopShell().OpenDocument(path))
        return;
    ShowMessage(parent, MakeMessage("Problems occured in lauching Notepad or Windows default "
                                    "editor.\nPlease run Notepad yourself and open " +
                                        path.toStdString(),
                                    MsgIcon::None));
}

QString StartFolder(const QString& lastFolder, const QString& programDir) {
    return lastFolder.isEmpty() ? programDir : lastFolder;
}

QString FolderOf(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

bool RunCrystalDialog(QWidget* parent, CParameterSet& p, QString& dirCrystal,
                      const QString& programDir) {
    StructureData current;
    if (p.nAtoms() > 0) {
        current.name = p.m_strCrystalName;
        current.a = p.m_a, current.b = p.m_b, current.c = p.m_c;
        current.alpha = p.m_alpha, current.beta = p.m_beta, current.gamma = p.m_gamma;
        current.atoms = p.m_Atoms;
    }
    CDlgCryst dialog(current, dirCrystal, programDir, parent);
    const int result = RunModal(dialog);
    dirCrystal = dialog.DirCrystal();
    if (result != QDialog::Accepted || !dialog.Imported() || dialog.Crystal().atoms.empty())
        return false;
    const StructureData& s = dialog.Crystal();
    TakeOverCrystal(p, CrystalData{s.name, s.a, s.b, s.c, s.alpha, s.beta, s.gamma, s.atoms});
    MarkCrystalChanged(p);
    return true;
}

bool RunGeometryDialog(QWidget* parent, CParameterSet& p) {
    GeometryValues v;
    v.transOrBack = p.m_TransOrBack;
    v.D = p.m_D / 10;
    if (p.m_bGeometrySet == 1) {
        v.H = p.m_H, v.K = p.m_K, v.L = p.m_L;
        v.h = p.m_h, v.k = p.m_k, v.l = p.m_l;
        v.Hmax = p.m_Hmax, v.Kmax = p.m_Kmax, v.Lmax = p.m_Lmax;
    } else {
        v.Hmax = DefaultIndexLimit(p.m_a);
        v.Kmax = DefaultIndexLimit(p.m_b);
        v.Lmax = DefaultIndexLimit(p.m_c);
    }
    CDlgDiffSet dialog(v, p.m_Recip, parent);
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    const GeometryValues& r = dialog.Values();
    p.m_TransOrBack = r.transOrBack;
    p.m_D = r.D * 10;
    p.m_H = r.H, p.m_K = r.K, p.m_L = r.L;
    p.m_h = r.h, p.m_k = r.k, p.m_l = r.l;
    p.m_Hmax = r.Hmax, p.m_Kmax = r.Kmax, p.m_Lmax = r.Lmax;
    MarkGeometryConfirmed(p);
    return true;
}

bool RunSpectrumDialog(QWidget* parent, CParameterSet& p, SettingsStore& settings,
                       QString& dirSpectrum, const QString& programDir) {
    SpectrumDialogValues in;
    in.spectrum = SpectrumOf(p);
    in.file = QString::fromStdString(p.m_strSpectrumFile);
    CDlgSpectrum dialog(in, &settings, dirSpectrum, programDir, parent);
    const int result = RunModal(dialog);
    dirSpectrum = dialog.DirSpectrum();
    if (result == QDialog::Accepted && dialog.Changed() && dialog.Values().spectrum.Count() >= 2) {
        SpectrumDialogValues out = dialog.Values();
        InstallSpectrum(p, std::move(out.spectrum), out.file.toStdString());
    }
    return p.nAtoms() > 0 && p.m_bGeometrySet != 0;
}

bool RunSequenceDialog(QWidget* parent, CParameterSet& p, SettingsStore& settings) {
    CDlgHelpCrystRot dialog(p.m_RotCrystSeq, &settings, parent);
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    p.m_RotCrystSeq = dialog.Sequence();
    return true;
}

void RunFilmHelp(QWidget* parent) {
    CDlgHelpFilm dialog(parent);
    RunModal(dialog);
}

ExampleFileRow MakeExampleFileRow(QWidget* parent, const QString& file, int editId) {
    auto* label = new QLabel(QStringLiteral("Example &file:"), parent);
    auto* example = new CEdit_Color(parent);
    example->setObjectName(QStringLiteral("id%1").arg(editId));
    example->setText(file);
    label->setBuddy(example);
    auto* formatHelp = new QPushButton(QStringLiteral("For file format, click to see"), parent);
    formatHelp->setObjectName(QStringLiteral("id1129"));
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(example, 1);
    row->addWidget(formatHelp);
    return {row, formatHelp};
}

} // namespace xelmor
