#include "tessalune/tessalune_app.h"

#include "tessalune/tessalune_dlg.h"
#include "xelmor/app/seams.h"

namespace xelmor::tessalune {

int CTessaluneApp::Run() {
    CTessaluneDlg dialog;
    RunModal(dialog);
    return 0;
}

} // namespace xelmor::tessalune
