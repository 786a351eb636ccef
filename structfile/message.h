// The value a core operation hands back when it has something to tell the user.
#pragma once

#include <string>
#include <utility>

namespace xelmor {

enum class MsgIcon { None, Information, Exclamation, Question, Stop };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };

// One message box: the core fills it, the program's message helper shows it. An empty caption
// means the program's own title ("Xelmor" or "Tessalune").
struct Message {
    std::string text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    std::string caption;

    bool operator==(const Message&) const = default;
};

inline Message MakeMessage(std::string text, MsgIcon icon, std::string caption = std::string()) {
    Message m;
    m.text = std::move(text);
    m.icon = icon;
    m.caption = std::move(caption);
    return m;
}

} // namespace xelmor
