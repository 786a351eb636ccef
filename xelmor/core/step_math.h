// The arithmetic of the step buttons: the next step multiple above or below a value, the next
// integer, the step sizes of the step menu, and an edit's value read through its buttons.
#pragma once

#include "structfile/message.h"

#include <string>
#include <string_view>

namespace xelmor {

// Decimals of every number a step button writes into its edit.
inline constexpr int kStepDecimals = 8;

// The step index a fresh step-button pair starts with (step 1).
inline constexpr int kDefaultStepIndex = 3;

// The step of a step index: 0 -> 10, 1 -> 5, 2 -> 2, 3 -> 1, any other -> 0.1.
double StepForIndex(int index);

// The step of an index as the button labels show it after the sign: "10", "5", "2", "1", "0.1".
std::string StepLabel(int index);

// One item of the step menu: the command it sends, its text and the step index it chooses.
struct StepMenuItem {
    int command;
    const char* text;
    int index;
};

// The items of the step menu, top to bottom (a separator above and below them).
inline constexpr StepMenuItem kStepMenuItems[] = {
    {32851, "10", 0}, {32847, "5", 1}, {32952, "2", 2}, {32845, " 1", 3}, {32848, "0.1", 4},
};

// The step index a step-menu command chooses; -1 for a command that is not one of the menu's.
int StepIndexForCommand(int command);

// Clamps to [minimum, maximum]; a NaN gives the minimum, so no step or read can leave one in
// an edit.
double ClampValue(double value, double minimum, double maximum);

// One step of a step-button pair before clamping: the next multiple of `step` above `value`
// (`up`) or below it. `stepError` is set when the result lies less than 1 % of a step or more
// than 101 % of a step away from the value, which happens only where the value is too large
// for the step to change it; the result is used all the same.
struct StepValue {
    double value = 0.0;
    bool stepError = false;
};
StepValue NextStepMultiple(double value, double step, bool up);

// What a step or a read does to an edit: the new value, its text, and whether that text differs
// from the edit's (only then is it written, and only then does a step send its command).
struct EditUpdate {
    double value = 0.0;
    std::string text;
    bool changed = false;
    bool stepError = false; // a step-button pair's step only
};

// A click on a step-button pair: reads the edit's text, steps by `step` up or down, clamps.
EditUpdate StepPair(std::string_view text, double step, bool up, double minimum, double maximum);

// Reads an edit through its step-button pair: the number in the text (0 when there is none),
// clamped, and its text.
EditUpdate ReadThroughPair(std::string_view text, double minimum, double maximum);

// A click on an integer step button: the next integer above (`up`) or below the value, a value
// within 0.01 of that integer going one further, then clamped.
EditUpdate StepUnit(std::string_view text, bool up, double minimum, double maximum);

// Reads an edit through an integer step button: the number in the text, cut toward zero when
// `integer` is set, clamped, and its text.
EditUpdate ReadUnit(std::string_view text, bool integer, double minimum, double maximum);

// The message shown when a step went wrong.
Message StepErrorMessage();

} // namespace xelmor
