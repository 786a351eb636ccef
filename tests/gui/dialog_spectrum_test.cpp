// The spectrum dialog as the Spectrum command runs it: the spectrum it shows and plots,
// import, save (with the refusal of the old extension), "Set as Default Spectrum", the format
// help, and what reaches the parameter set.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/gui/test_doubles.h"
#include "tests/gui/test_files.h"
#include "xelmor/core/params.h"
#include "xelmor/core/spectrum_plot.h"
#include "xelmor/dialogs/dlg_spectrum.h"
#include "xelmor/dialogs/first_pattern.h"
#include "xelmor/files/settings_values.h"
#include "xelmor/files/spectrum_file.h"

using namespace xelmor;

namespace {

const char* const kImportFilter =
    "Spectra (*.spct;*.spectrum)|*.spct;*.spectrum|All Files (*.*)|*.*||";

QLineEdit* Edit(QWidget& d, const char* id) {
    return d.findChild<QLineEdit*>(QLatin1String(id));
}

void Press(QWidget& d, const char* id) {
    QPushButton* b = d.findChild<QPushButton*>(QLatin1String(id));
    QVERIFY2(b, id);
    QTest::mouseClick(b, Qt::LeftButton);
}

// A file with every kind of line the reader skips: three valid samples remain, the
// largest intensity 2.
QString WriteBendingMagnet(const QTemporaryDir& tmp) {
    const QString path = tmp.filePath(QStringLiteral("magnet.spct"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write("Name: Bending magnet\r\n0.2 0.5\r\n0.3, 2.0\r\n0.25 1.0\r\n0.4\t-1\r\n"
                "0.5 1.0 junk\r\n");
    return path;
}

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

// A parameter set holding the delivered spectrum, loaded as every new pattern loads it.
void LoadDelivered(CParameterSet& p) {
    MemorySettingsStore none;
    QVERIFY(!LoadDefaultSpectrum(p, none, test::BuiltProgramDir().toStdString()));
    QVERIFY(p.nSpectrum() > 2);
}

QString Stored(const MemorySettingsStore& store) {
    return QString::fromStdString(
        store.ReadString(kSettingsSection, setting::kDefaultSpectrum, "missing"));
}

} // namespace

class DialogSpectrumTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheDeliveredSpectrum() {
        CParameterSet p;
        LoadDelivered(p);
        SpectrumDialogValues in{SpectrumOf(p), QString::fromStdString(p.m_strSpectrumFile)};
        CDlgSpectrum d(in, nullptr, QString(), test::BuiltProgramDir());
        QCOMPARE(d.windowTitle(), QStringLiteral("Spectrum of Incident X-Ray Beam"));
        QCOMPARE(Edit(d, "id1103")->text(), QStringLiteral("NSLS bending magnet, Ec = 7.1 keV"));
        QCOMPARE(Edit(d, "id1128")->text(), test::BuiltProgramDir() + "/NSLS-BM.spct");

        // The curve runs where the plot's layout puts it: red on the samples, the box black.
        QWidget* plot = d.findChild<QWidget*>(QStringLiteral("id1109"));
        d.show();
        const QImage image = plot->grab().toImage();
        const SpectrumPlot layout = LayoutSpectrumPlot(
            {0, 0, plot->width(), plot->height()}, in.spectrum.wavelength, in.spectrum.intensity);
        QCOMPARE(layout.majorStep, 0.5); // the delivered spectrum ends at 3 Angstrom
        const PlotPoint mid = layout.curve[layout.curve.size() / 2];
        QCOMPARE(image.pixelColor(mid.x, mid.y), QColor(Qt::red));
        QCOMPARE(image.pixelColor(layout.boxTopLeft.x, layout.boxTopLeft.y + 1), QColor(Qt::black));
        QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    }

    void withoutSpectrum() {
        test::MessageRecorder messages;
        test::FileScript files;
        MemorySettingsStore store;
        CDlgSpectrum d(SpectrumDialogValues{}, &store, QString(), QString());
        QCOMPARE(Edit(d, "id1103")->text(), QStringLiteral("No Spectrum Loaded Yet."));
        d.show();
        Press(d, "id1108");
        Press(d, "id1100");
        QCOMPARE(messages.Texts(),
                 QStringList({"No Spectrum Loaded Yet.", "No Spectrum Loaded Yet."}));
        QVERIFY(files.requests.empty());
        QCOMPARE(store.Size(), std::size_t{0});
    }

    void importReplacesTheSpectrumOnOk_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("withCrystal");
        QTest::newRow("OK, no crystal") << true << false;
        QTest::newRow("OK, crystal and geometry") << true << true;
        QTest::newRow("Cancel, crystal and geometry") << false << true;
    }
    void importReplacesTheSpectrumOnOk() {
        QFETCH(bool, accept);
        QFETCH(bool, withCrystal);
        QTemporaryDir tmp;
        test::MessageRecorder messages;
        test::FileScript files;
        files.paths = {WriteBendingMagnet(tmp)};
        MemorySettingsStore store;
        CParameterSet p;
        LoadDelivered(p);
        if (withCrystal)
            test::SetUpSilicon(p);
        const Spectrum before = SpectrumOf(p);
        test::DialogScript script([accept](QDialog& d) {
            QVERIFY(QTest::qWaitForWindowActive(&d));
            Press(d, "id1105");
            QCOMPARE(Edit(d, "id1103")->text(), QStringLiteral("Bending magnet"));
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("id1"));
            Press(d, accept ? "id1" : "id2");
        });
        QString dir = QStringLiteral("/last");
        QCOMPARE(RunSpectrumDialog(nullptr, p, store, dir, QStringLiteral("/prog")), withCrystal);
        QVERIFY(messages.messages.empty());
        QCOMPARE(files.requests.size(), std::size_t{1});
        QCOMPARE(files.requests[0].title, QStringLiteral("Import Spectrum"));
        QCOMPARE(files.requests[0].filter, QLatin1String(kImportFilter));
        QCOMPARE(files.requests[0].defaultExt, QStringLiteral("spct"));
        QCOMPARE(files.requests[0].folder, QStringLiteral("/last"));
        QCOMPARE(dir, QDir::toNativeSeparators(tmp.path())); // also after Cancel
        if (!accept) {
            QVERIFY(SpectrumOf(p) == before);
            return;
        }
        QCOMPARE(p.m_strSpectrumName, std::string("Bending magnet"));
        QCOMPARE(p.m_Wavelength, (std::vector<double>{0.2, 0.3, 0.5}));
        QCOMPARE(p.m_Intensity, (std::vector<double>{0.25, 1.0, 0.5}));
        QCOMPARE(QString::fromStdString(p.m_strSpectrumFile), tmp.filePath("magnet.spct"));
    }

    void failedImportChangesNothing() {
        QTemporaryDir tmp;
        const QString flat = tmp.filePath(QStringLiteral("flat.spct"));
        test::WriteFile(flat, "Name: Flat\r\n0.5 0\r\n1.0 0\r\n");
        test::MessageRecorder messages;
        test::FileScript files;
        files.paths = {flat};
        MemorySettingsStore store;
        CParameterSet p;
        LoadDelivered(p);
        const Spectrum before = SpectrumOf(p);
        test::DialogScript script([](QDialog& d) {
            Press(d, "id1105");
            QCOMPARE(Edit(d, "id1103")->text(),
                     QStringLiteral("NSLS bending magnet, Ec = 7.1 keV"));
            Press(d, "id1");
        });
        QString dir;
        QVERIFY(!RunSpectrumDialog(nullptr, p, store, dir, QString()));
        QCOMPARE(messages.Texts(), QStringList({"No (enough) valid data in " + flat +
                                                ". Please check the file format."}));
        QVERIFY(SpectrumOf(p) == before);
        QCOMPARE(dir, QDir::toNativeSeparators(tmp.path()));
    }

    void saveWritesTheSpectrumAndSetAsDefaultStoresIt() {
        QTemporaryDir tmp;
        const QString saved = tmp.filePath(QStringLiteral("saved.spct"));
        test::MessageRecorder messages;
        test::FileScript files;
        MemorySettingsStore store;
        // A spectrum as a pattern document leaves it: samples, no file.
        SpectrumDialogValues in;
        in.spectrum = Spectrum{"Doc beam", {0.2, 0.3, 0.5}, {0.25, 1.0, 0.5}};
        CDlgSpectrum d(in, &store, QStringLiteral("/last"), QString());
        d.show();
        Press(d, "id1100");
        QCOMPARE(messages.Texts(), QStringList({"First save the spectrum as a file please."}));
        QCOMPARE(store.Size(), std::size_t{0});

        messages.Clear();
        files.paths = {saved};
        Press(d, "id1108");
        QVERIFY(messages.messages.empty());
        QCOMPARE(files.requests[0].title, QStringLiteral("Save Spectrum as"));
        QCOMPARE(files.requests[0].filter,
                 QStringLiteral("Spectrum Text Files (*.spct)|*.spct|All Files (*.*)|*.*||"));
        QCOMPARE(files.requests[0].defaultExt, QStringLiteral("spct"));
        QCOMPARE(files.requests[0].folder, QStringLiteral("/last"));
        QCOMPARE(Contents(saved), QByteArray("Name: Doc beam\r\n! Wavelength(A)\tIntensity\r\n"
                                             "0.2\t0.25\r\n0.3\t1\r\n0.5\t0.5\r\n"));
        QCOMPARE(d.DirSpectrum(), QDir::toNativeSeparators(tmp.path()));
        QCOMPARE(d.Values().file, saved);

        Press(d, "id1100");
        QCOMPARE(messages.Texts(),
                 QStringList({"Current spectrum has been set as the default spectrum."}));
        QCOMPARE(messages.messages[0].icon, MsgIcon::Information);
        QCOMPARE(Stored(store), saved);
        d.reject(); // the store keeps it
        QCOMPARE(Stored(store), saved);
        QVERIFY(!d.Changed());
    }

    void oldExtensionRefused() {
        QTemporaryDir tmp;
        const QString old = tmp.filePath(QStringLiteral("beam.SPECTRUM"));
        test::MessageRecorder messages;
        test::FileScript files;
        files.paths = {old};
        SpectrumDialogValues in;
        in.spectrum = Spectrum{"Beam", {0.2, 0.3}, {1.0, 0.5}};
        CDlgSpectrum d(in, nullptr, QString(), QString());
        d.show();
        Press(d, "id1108");
        QCOMPARE(messages.Texts(),
                 QStringList({"*.Spectrum file is out of date. Use *.spct or other extensions."}));
        QVERIFY(!QFile::exists(old));
        QVERIFY(d.Values().file.isEmpty());
        QCOMPARE(d.DirSpectrum(), QDir::toNativeSeparators(tmp.path()));
    }

    void formatHelpOpensTheExampleSpectrum() {
        test::MessageRecorder messages;
        test::RecordingShell shell;
        shell.succeed = false;
        CDlgSpectrum d(SpectrumDialogValues{}, nullptr, QString(), QStringLiteral("/prog"));
        d.show();
        Press(d, "id1129");
        QCOMPARE(shell.opened, QStringList({"/prog/NSLS-BM.spct"}));
        QCOMPARE(messages.Texts(),
                 QStringList({"Problems occured in lauching Notepad or Windows default "
                              "editor.\nPlease run Notepad yourself and open /prog/NSLS-BM.spct"}));
    }
};

QTEST_MAIN(DialogSpectrumTest)
#include "dialog_spectrum_test.moc"
