// The command ids of Xelmor: menu items, accelerators and the internal commands that the
// components send each other through the main window.
#pragma once

namespace xelmor {

enum CommandId : int {
    // File
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_EXPORT_IMAGE = 32814,
    ID_EXPORT_TEXTFILE = 32820,
    ID_FILE_MRU_FILE1 = 57616, // .. 57619
    ID_APP_EXIT = 57665,
    // Setting
    ID_SPECTRUM = 32954,
    ID_CALIB_ZOOM = 32799,
    ID_FILM_SIZE = 32869,
    ID_SPOT_SIZE = 32780,
    ID_SPOT_COLOR_RED = 32919,
    ID_SPOT_COLOR_BLUE = 32918,
    ID_SPOT_COLOR_BLACK = 32917,
    ID_INDEX_FONT = 32909,
    ID_FONT_COLOR_BLACK = 32927,
    ID_FONT_COLOR_BLUE = 32928,
    ID_FONT_COLOR_RED = 32929,
    ID_FONT_COLOR_WHITE = 32930,
    // Import
    ID_IMPORT_IMAGE = 32920,
    ID_IMPORT_DATA_PATTERN = 32923,
    // View
    ID_VIEW_CROSSLINE = 32800,
    ID_VIEW_SPOT000 = 32922,
    ID_SHOW_CONTROL_PANEL = 32859,
    // Tools
    ID_ANGLE_PLANES = 32931,
    ID_STRUCTURE_FACTOR = 32797,
    ID_UNIT_CONVERSION = 32900,
    ID_EDITOR = 32862,
    ID_WULFF_NET = 32810,
    // Help
    ID_APP_ABOUT = 57664,
    ID_HELP_TOPICS = 57667,
    ID_INTENSITY_MODEL = 32877,
    // Accelerator-only commands without a handler of the program's own
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_HELP = 57670,
    // Internal commands
    ID_UPDATE_BAR = 32871,        // "Update Bar, from Edit_Enter, Combo, StepButton"
    ID_ZOOM_CALIB = 32874,        // "Zoom, CalibZoom"
    ID_UPDATE_BAR_TO_APP = 32878, // "Update, BarToApp"
    ID_INVALIDATE_VIEW = 32882,   // "InvalidateView"
    ID_SHOW_INDEX = 32782,        // "Show Index"
    ID_FIND_REFLECTION = 32935,   // "Enter_FindReflection_To_View"
    ID_LAB_ORIENTATION = 32937,   // "Lab Crystal &Orientation..."
    ID_FIX_REFL_ROT = 312,        // "FixReflRotID"
    ID_FIX_REFL_ROT_AUTO = 32950, // "FixReflRot_Auto_ID"
    ID_SET_REFL_TO_POINT = 32943, // "&Set a Reflection to this Point"
    ID_FINE_ADJUST_LUT = 32956,   // "FineAdjustPositions_In_LUT"
    ID_SHOW_LUT = 32959,          // "Show Look-Up Table..."
    ID_LUT_MENU = 32953,          // "Look up table menu"
    ID_FOCUS_LUT = 32965,         // "Set LUT window Focuse by MainFrm"
};

} // namespace xelmor
