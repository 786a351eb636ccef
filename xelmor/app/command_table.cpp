#include "xelmor/app/command_table.h"

#include <algorithm>
#include <array>

#include "xelmor/app/commands.h"

namespace xelmor {

namespace {

using O = CommandOwner;

constexpr const char* kFile = "&File";
constexpr const char* kSetting = "&Setting";
constexpr const char* kImport = "&Import";
constexpr const char* kView = "&View";
constexpr const char* kTools = "&Tools";
constexpr const char* kHelp = "&Help";
constexpr const char* kSpotColor = "S&pot Color";
constexpr const char* kFontColor = "F&ont Color";

// clang-format off
constexpr std::array kCommands{
    CommandEntry{ID_FILE_NEW, O::App, kFile, nullptr, "&New"},
    CommandEntry{ID_FILE_OPEN, O::App, kFile, nullptr, "&Open..."},
    CommandEntry{ID_FILE_SAVE, O::Doc, kFile, nullptr, "&Save\tCtrl+S", "Ctrl+S"},
    CommandEntry{ID_FILE_SAVE_AS, O::Doc, kFile, nullptr, "Save &As..."},
    CommandEntry{ID_EXPORT_IMAGE, O::View, kFile, nullptr, "&Export Image...", nullptr, true},
    CommandEntry{ID_EXPORT_TEXTFILE, O::Doc, kFile, nullptr, "Export &Textfile..."},
    // The recent documents take this item's place once there are any.
    CommandEntry{ID_FILE_MRU_FILE1, O::App, kFile, nullptr, "Recent File", nullptr, true},
    CommandEntry{ID_APP_EXIT, O::App, kFile, nullptr, "E&xit", nullptr, true},

    CommandEntry{ID_SPECTRUM, O::Frame, kSetting, nullptr, "Spectr&um..."},
    CommandEntry{ID_CALIB_ZOOM, O::Frame, kSetting, nullptr, "&Calibrate Zoom..."},
    CommandEntry{ID_FILM_SIZE, O::View, kSetting, nullptr, "CCD/&Film Size...", nullptr, true},
    CommandEntry{ID_SPOT_SIZE, O::View, kSetting, nullptr, "&Spot Size..."},
    CommandEntry{ID_SPOT_COLOR_RED, O::Frame, kSetting, kSpotColor, "&Red"},
    CommandEntry{ID_SPOT_COLOR_BLUE, O::Frame, kSetting, kSpotColor, "B&lue"},
    CommandEntry{ID_SPOT_COLOR_BLACK, O::Frame, kSetting, kSpotColor, "&Black"},
    CommandEntry{ID_INDEX_FONT, O::Frame, kSetting, nullptr, "&Index Font...", nullptr, true},
    CommandEntry{ID_FONT_COLOR_BLACK, O::Frame, kSetting, kFontColor, "&Black"},
    CommandEntry{ID_FONT_COLOR_BLUE, O::Frame, kSetting, kFontColor, "B&lue"},
    CommandEntry{ID_FONT_COLOR_RED, O::Frame, kSetting, kFontColor, "&Red"},
    CommandEntry{ID_FONT_COLOR_WHITE, O::Frame, kSetting, kFontColor, "&White"},

    CommandEntry{ID_IMPORT_IMAGE, O::View, kImport, nullptr, "Import &Recorded Laue Image..."},
    CommandEntry{ID_IMPORT_DATA_PATTERN, O::Doc, kImport, nullptr, "Import &Data Pattern..."},

    CommandEntry{ID_VIEW_CROSSLINE, O::View, kView, nullptr, "Show &Crossline"},
    CommandEntry{ID_VIEW_SPOT000, O::View, kView, nullptr, "&Show Spot 000"},
    CommandEntry{ID_SHOW_CONTROL_PANEL, O::Frame, kView, nullptr, "Show Control &Panel", nullptr,
                 true},

    CommandEntry{ID_ANGLE_PLANES, O::Frame, kTools, nullptr, "&Angle between Planes..."},
    CommandEntry{ID_STRUCTURE_FACTOR, O::Doc, kTools, nullptr, "Structure &Factor... "},
    CommandEntry{ID_UNIT_CONVERSION, O::Frame, kTools, nullptr, "&Unit Conversion..."},
    CommandEntry{ID_EDITOR, O::App, kTools, nullptr, "&Editor of Crystal Structure...", nullptr,
                 true},
    CommandEntry{ID_WULFF_NET, O::None, kTools, nullptr,
                 "&Stereographic Projection (Wulff net)...", nullptr, true},

    CommandEntry{ID_APP_ABOUT, O::App, kHelp, nullptr, "&About Xelmor..."},
    CommandEntry{ID_HELP_TOPICS, O::None, kHelp, nullptr, "&Help Topics"},
    CommandEntry{ID_INTENSITY_MODEL, O::Frame, kHelp, nullptr, "&Intensity Kinematic Model...",
                 nullptr, true},

    // The further recent documents appear in the File menu when the list holds them.
    CommandEntry{ID_FILE_MRU_FILE1 + 1, O::App, nullptr, nullptr, nullptr},
    CommandEntry{ID_FILE_MRU_FILE1 + 2, O::App, nullptr, nullptr, nullptr},
    CommandEntry{ID_FILE_MRU_FILE1 + 3, O::App, nullptr, nullptr, nullptr},

    // Commands the components send each other through the main window, and the keys that
    // reach them.
    CommandEntry{ID_UPDATE_BAR, O::Panel, nullptr, nullptr,
                 "Update Bar, from Edit_Enter, Combo, StepButton"},
    CommandEntry{ID_ZOOM_CALIB, O::View, nullptr, nullptr, "Zoom, CalibZoom"},
    CommandEntry{ID_UPDATE_BAR_TO_APP, O::Doc, nullptr, nullptr, "Update, BarToApp"},
    CommandEntry{ID_INVALIDATE_VIEW, O::View, nullptr, nullptr, "InvalidateView"},
    CommandEntry{ID_SHOW_INDEX, O::View, nullptr, nullptr, "Show Index", "F3"},
    CommandEntry{ID_FIND_REFLECTION, O::View, nullptr, nullptr, "Enter_FindReflection_To_View"},
    CommandEntry{ID_LAB_ORIENTATION, O::Doc, nullptr, nullptr, "Lab Crystal &Orientation...",
                 "F5"},
    CommandEntry{ID_FIX_REFL_ROT, O::FixReflRot, nullptr, nullptr, "FixReflRotID"},
    CommandEntry{ID_FIX_REFL_ROT_AUTO, O::FixReflRot, nullptr, nullptr, "FixReflRot_Auto_ID"},
    CommandEntry{ID_SET_REFL_TO_POINT, O::View, nullptr, nullptr, "&Set a Reflection to this Point"},
    CommandEntry{ID_FINE_ADJUST_LUT, O::View, nullptr, nullptr, "FineAdjustPositions_In_LUT"},
    CommandEntry{ID_SHOW_LUT, O::Frame, nullptr, nullptr, "Show Look-Up Table..."},
    CommandEntry{ID_LUT_MENU, O::View, nullptr, nullptr, "Look up table menu", "F6"},
    CommandEntry{ID_FOCUS_LUT, O::Frame, nullptr, nullptr, "Set LUT window Focuse by MainFrm"},

    // Copy, cut, paste, undo and help have keys of their own in the edit controls; the window
    // takes none of them and nothing in the program handles them.
    CommandEntry{ID_EDIT_COPY, O::None, nullptr, nullptr, nullptr},
    CommandEntry{ID_EDIT_CUT, O::None, nullptr, nullptr, nullptr},
    CommandEntry{ID_EDIT_PASTE, O::None, nullptr, nullptr, nullptr},
    CommandEntry{ID_EDIT_UNDO, O::None, nullptr, nullptr, nullptr},
    CommandEntry{ID_HELP, O::None, nullptr, nullptr, nullptr},
};
// clang-format on

} // namespace

std::span<const CommandEntry> CommandTable() {
    return kCommands;
}

const CommandEntry* FindCommand(int id) {
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [id](const CommandEntry& e) { return e.id == id; });
    return it == kCommands.end() ? nullptr : &*it;
}

} // namespace xelmor
