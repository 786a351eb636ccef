// A label face that fontconfig can only replace by an unrelated fallback font is reported and
// left unset. Its own program: the substitution and the font cache are process-wide.
#include <QtTest>

#include "tests/gui/test_doubles.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/files/settings.h"
#include "xelmor/view/xelmor_view.h"

using namespace xelmor;

class ViewFontFailureTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // As on a system without the Liberation fonts.
        for (const char* face : {"Arial Narrow", "Times New Roman"})
            QFont::insertSubstitution(QLatin1String(face), QStringLiteral("DejaVu Sans"));
    }

    void missingFacesAreReportedAndLeftUnset() {
        test::MessageRecorder messages;
        CParameterSet params;
        MemorySettingsStore store;
        CXelmorDoc doc(&params, &store, QString());
        CXelmorView view(&doc, &params, &store);
        QCOMPARE(messages.Texts(),
                 QStringList({QStringLiteral("Cannot create Font: Arial Narrow."),
                              QStringLiteral("Cannot create Font: Arial Narrow.")}));
        QCOMPARE(messages.messages[0].icon, MsgIcon::Stop);
        QVERIFY(!view.m_pScreenFont && !view.m_pPrintFont);

        messages.Clear();
        params.m_FontNoScreen = 1;
        view.CreateIndexFonts(true, false);
        QCOMPARE(messages.Texts(),
                 QStringList({QStringLiteral("Cannot create Font: Times New Roman.")}));
        QVERIFY(!view.m_pScreenFont);

        // The labels then use the system font.
        params.m_bShowIndex = 1;
        view.resize(200, 150);
        view.viewport()->grab();
    }
};

QTEST_MAIN(ViewFontFailureTest)
#include "view_font_failure_test.moc"
