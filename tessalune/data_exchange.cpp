#include "tessalune/data_exchange.h"

#include <QLineEdit>

#include <charconv>
#include <cmath>

#include "structfile/message.h"
#include "xelmor/app/seams.h"

namespace xelmor::tessalune {

std::string FormatBound(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

void FocusField(QLineEdit* edit) {
    edit->setFocus();
    edit->selectAll();
}

std::optional<double> ExchangeReal(QLineEdit* edit, double lo, double hi) {
    std::string s = edit->text().trimmed().toStdString();
    // from_chars takes no leading '+', which the C library's reader does.
    if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+')
        s.erase(0, 1);
    double v = 0.0;
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, v);
    std::string refusal;
    // Infinity and NaN would pass any range test; they are no numbers here.
    if (s.empty() || r.ec != std::errc() || r.ptr != end || !std::isfinite(v))
        refusal = "Enter a number.";
    else if (v < lo || v > hi)
        refusal = "Enter a number between " + FormatBound(lo) + " and " + FormatBound(hi) + ".";
    if (refusal.empty())
        return v;
    ShowMessage(edit->window(), MakeMessage(refusal, MsgIcon::Exclamation));
    FocusField(edit);
    return std::nullopt;
}

} // namespace xelmor::tessalune
