// The editor's application object: runs the main dialog; the program ends when it closes.
#pragma once

// The editor's code lives in its own namespace: it is a program of its own, and some of its
// classes share their names with Xelmor's (both dialogs draw a unit cell).

namespace xelmor::tessalune {

class CTessaluneApp {
public:
    // Creates the main dialog and runs it modally. Returns the program's exit code.
    int Run();
};

} // namespace xelmor::tessalune
