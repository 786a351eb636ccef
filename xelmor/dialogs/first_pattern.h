// The dialogs that lead to the first pattern (spectrum, crystal, geometry, rotation sequence,
// film help) as the panel and the main window run them: each fills its dialog from the
// parameter set, runs it and takes the result over; the caller then sends its commands and runs
// its update cycle. Also the data exchange of typed numbers that these dialogs share.
#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;

#include <optional>

class QLineEdit;
class QWidget;

namespace xelmor {

class CParameterSet;
class SettingsStore;

// The Crystal button's dialog, opened with the current crystal (when one is loaded). When it
// ends with OK after a file was imported and the crystal has at least one atom, the crystal is
// taken over (name, cell, atoms, element groups, reciprocal basis), the geometry must be set
// again and the next run normalises: returns true, and the caller redraws and opens the
// geometry dialog. Otherwise nothing changes, even if lattice values were typed. `dirCrystal`
// follows every file chosen for import, whether or not it could be read.
bool RunCrystalDialog(QWidget* parent, CParameterSet& p, QString& dirCrystal,
                      const QString& programDir);

// The Geometry button's dialog, opened with the geometry kind, D in mm and, once a geometry is
// set, its planes and index ranges (otherwise (0 0 1), (1 0 0) and ranges from the cell). On
// OK the values are stored (D in 0.1 mm), the geometry counts as set and the next run
// normalises: returns true, and the caller shows the new D and runs its update cycle.
bool RunGeometryDialog(QWidget* parent, CParameterSet& p);

// The "Spectr&um..." command's dialog on a copy of the current spectrum. On OK after an import
// the parameter set's spectrum is replaced by the dialog's. `dirSpectrum` follows every file
// chosen, and "Set as Default Spectrum" writes `settings` at once, whatever the end. Returns
// whether the pattern must now be recomputed: a crystal is loaded and a geometry is set (after
// OK and after Cancel alike).
bool RunSpectrumDialog(QWidget* parent, CParameterSet& p, SettingsStore& settings,
                       QString& dirSpectrum, const QString& programDir);

// The rotation group's "?": the rotation-sequence dialog on the current sequence. On OK the
// chosen sequence is stored and true is returned; the caller relabels the rotation edits and
// runs its update cycle. "Set as Default" writes `settings` at once.
bool RunSequenceDialog(QWidget* parent, CParameterSet& p, SettingsStore& settings);

// The detector group's "?" and the geometry dialog's "?": the film help; nothing changes.
void RunFilmHelp(QWidget* parent);

// The data exchange of the dialogs: a typed real (blanks around it, nothing else after it) or
// a typed integer, within [lo, hi]. Text that is no number gives "Enter a number." or "Enter an
// integer.", a value outside the range "Enter a number between LO and HI." or "Enter an integer
// between LO and HI." (exclamation icon); then the edit gets the focus with its text selected
// and there is no value.
std::optional<double> ExchangeReal(QLineEdit* edit, double lo, double hi);
std::optional<double> ExchangeReal(QLineEdit* edit); // any finite number
std::optional<int> ExchangeInt(QLineEdit* edit, int lo, int hi);

// Program folder + native separator + `fileName`: the example files beside the program.
QString ProgramFile(const QString& programDir, const QString& fileName);

// The format-help buttons: opens the example file in the desktop's text editor; when that
// fails, says so and names the file.
void ShowExampleFile(QWidget* parent, const QString& path);

// The row of the crystal and spectrum dialogs that names the example file (a coloured
// read-only edit with the id `editId`) and offers the format help button (id 1129).
struct ExampleFileRow {
    QHBoxLayout* layout;
    QPushButton* formatHelp;
};
ExampleFileRow MakeExampleFileRow(QWidget* parent, const QString& file, int editId);

// The folder a file chooser starts in: the last one used, or the program folder.
QString StartFolder(const QString& lastFolder, const QString& programDir);
// The folder of a chosen file, in native form.
QString FolderOf(const QString& path);

} // namespace xelmor
