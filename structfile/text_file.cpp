#include "structfile/text_file.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace xelmor {

namespace fs = std::filesystem;

namespace {

// The innermost living FileWriteFaultForTesting, if any.
FileWriteFaultForTesting* g_activeFault = nullptr;

fs::path PathFromUtf8(const std::string& path) {
    std::u8string u8(path.size(), u8'\0');
    for (std::size_t i = 0; i < path.size(); ++i)
        u8[i] = static_cast<char8_t>(path[i]);
    return fs::path(u8);
}

// A name in the target's folder that no file has yet, for the temporary copy.
fs::path TemporaryBeside(const fs::path& target) {
    static unsigned counter = 0;
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    fs::path candidate;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned long long tag = (ticks + ++counter * 0x9E3779B97F4A7C15ull) & 0xFFFFFFFFull;
        fs::path name = target.filename();
        name += ".~" + std::to_string(tag) + ".tmp";
        candidate = target.parent_path() / name;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            break;
    }
    return candidate;
}

void RemoveQuietly(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
}

} // namespace

// True when the active test fault asks this save to fail at `step`; the fault is then spent.
bool TakeWriteFaultForTesting(FileWriteFault step) {
    FileWriteFaultForTesting* f = g_activeFault;
    if (f == nullptr || !f->armed_ || f->fault_ != step)
        return false;
    f->armed_ = false;
    f->triggered_ = true;
    return true;
}

bool ReadFileBytes(const std::string& path, std::string& out) {
    const fs::path p = PathFromUtf8(path);
    std::error_code ec;
    if (fs::is_directory(p, ec))
        return false;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return false;
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return false;
    out.swap(bytes);
    return true;
}

WriteResult WriteFileReplacing(const std::string& path, std::string_view bytes) {
    fs::path target = PathFromUtf8(path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    const fs::file_status status = fs::status(target, ec);
    const bool exists = fs::exists(status);
    if (target.filename().empty())
        return WriteResult::CannotCreate;
    if (exists) {
        if (fs::is_directory(status))
            return WriteResult::CannotCreate;
        // Opening for appending changes nothing but tells whether the file may be written.
        std::ofstream probe(target, std::ios::binary | std::ios::app);
        if (!probe)
            return WriteResult::CannotCreate;
    }

    const fs::path temporary = TemporaryBeside(target);
    if (TakeWriteFaultForTesting(FileWriteFault::Create))
        return WriteResult::CannotCreate;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
        return WriteResult::CannotCreate;
    if (exists)
        fs::permissions(temporary, status.permissions(), fs::perm_options::replace, ec);

    if (TakeWriteFaultForTesting(FileWriteFault::Write)) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
        out.close();
        RemoveQuietly(temporary);
        return WriteResult::WriteError;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const bool written = static_cast<bool>(out);
    out.close();
    if (!written || out.fail()) {
        RemoveQuietly(temporary);
        return WriteResult::WriteError;
    }

    if (TakeWriteFaultForTesting(FileWriteFault::Rename)) {
        RemoveQuietly(temporary);
        return WriteResult::WriteError;
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        RemoveQuietly(temporary);
        return WriteResult::WriteError;
    }
    return WriteResult::Ok;
}

FileWriteFaultForTesting::FileWriteFaultForTesting(FileWriteFault fault)
    : fault_(fault), previous_(g_activeFault) {
    g_activeFault = this;
}

FileWriteFaultForTesting::~FileWriteFaultForTesting() {
    g_activeFault = previous_;
}

bool FileWriteFaultForTesting::Triggered() const {
    return triggered_;
}

std::optional<Message> SaveFile(const std::string& path, std::string_view bytes) {
    switch (WriteFileReplacing(path, bytes)) {
    case WriteResult::Ok:
        return std::nullopt;
    case WriteResult::CannotCreate:
        return MakeMessage("Failed to open " + path + "!", MsgIcon::Stop);
    case WriteResult::WriteError:
        break;
    }
    return MakeMessage("Failed to write " + path + "!", MsgIcon::Stop);
}

} // namespace xelmor
