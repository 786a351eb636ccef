#include "xelmor/files/settings.h"

namespace xelmor {

int MemorySettingsStore::ReadInt(std::string_view section, std::string_view name, int def) const {
    const auto it = values_.find(Key(section, name));
    if (it == values_.end())
        return def;
    if (const int* value = std::get_if<int>(&it->second))
        return *value;
    return def;
}

void MemorySettingsStore::WriteInt(std::string_view section, std::string_view name, int value) {
    values_[Key(section, name)] = value;
}

std::string MemorySettingsStore::ReadString(std::string_view section, std::string_view name,
                                            std::string_view def) const {
    const auto it = values_.find(Key(section, name));
    if (it == values_.end())
        return std::string(def);
    if (const std::string* value = std::get_if<std::string>(&it->second))
        return *value;
    return std::string(def);
}

void MemorySettingsStore::WriteString(std::string_view section, std::string_view name,
                                      std::string_view value) {
    values_[Key(section, name)] = std::string(value);
}

bool MemorySettingsStore::Contains(std::string_view section, std::string_view name) const {
    return values_.count(Key(section, name)) != 0;
}

} // namespace xelmor
