#include "xelmor/core/step_math.h"

#include "structfile/number_format.h"

#include <cmath>

namespace xelmor {

namespace {

EditUpdate Update(std::string_view oldText, double value) {
    EditUpdate u;
    u.value = value;
    u.text = FormatNumber(value, kStepDecimals);
    u.changed = u.text != oldText;
    return u;
}

} // namespace

double StepForIndex(int index) {
    switch (index) {
    case 0:
        return 10.0;
    case 1:
        return 5.0;
    case 2:
        return 2.0;
    case 3:
        return 1.0;
    default:
        return 0.1;
    }
}

std::string StepLabel(int index) {
    return FormatNumber(StepForIndex(index), kStepDecimals);
}

int StepIndexForCommand(int command) {
    for (const StepMenuItem& item : kStepMenuItems) {
        if (item.command == command)
            return item.index;
    }
    return -1;
}

double ClampValue(double value, double minimum, double maximum) {
    if (!(value >= minimum))
        return minimum;
    if (value > maximum)
        return maximum;
    return value;
}

StepValue NextStepMultiple(double value, double step, bool up) {
    const double sign = up ? 1.0 : -1.0;
    const double c = (std::trunc(value / step) + sign) * step;
    const double off = std::fabs(c - value);
    StepValue r;
    if (off < 0.01 * step)
        r.value = c + sign * step; // the value lay on a multiple; the division fell just short
    else if (off <= 1.01 * step)
        r.value = c;
    else
        r.value = c - sign * step; // truncation toward zero went the wrong way for the sign
    const double moved = std::fabs(r.value - value);
    r.stepError = moved < 0.01 * step || moved > 1.01 * step;
    return r;
}

EditUpdate StepPair(std::string_view text, double step, bool up, double minimum, double maximum) {
    const StepValue s = NextStepMultiple(ParseDouble(text), step, up);
    EditUpdate u = Update(text, ClampValue(s.value, minimum, maximum));
    u.stepError = s.stepError;
    return u;
}

EditUpdate ReadThroughPair(std::string_view text, double minimum, double maximum) {
    return Update(text, ClampValue(ParseDouble(text), minimum, maximum));
}

EditUpdate StepUnit(std::string_view text, bool up, double minimum, double maximum) {
    const double a = ParseDouble(text);
    const double c = up ? 1.0 : -1.0;
    double d = std::trunc(a) + c;
    if (std::fabs(a - d) < 0.01)
        d += c; // already within 0.01 of that integer
    else if (std::fabs(a - d) > 1.01)
        d = std::trunc(a); // truncation toward zero went the wrong way
    return Update(text, ClampValue(d, minimum, maximum));
}

EditUpdate ReadUnit(std::string_view text, bool integer, double minimum, double maximum) {
    double a = ParseDouble(text);
    if (integer)
        a = std::trunc(a);
    return Update(text, ClampValue(a, minimum, maximum));
}

Message StepErrorMessage() {
    return MakeMessage("Step error", MsgIcon::None);
}

} // namespace xelmor
