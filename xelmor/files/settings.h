// The per-user settings store: integer and text values addressed by section and name, and an
// in-memory store for tests.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace xelmor {

// A store of integer and text values. Reads of a missing value give the default passed in;
// no operation reports an error (a failed write is simply lost).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int ReadInt(std::string_view section, std::string_view name, int def) const = 0;
    virtual void WriteInt(std::string_view section, std::string_view name, int value) = 0;
    virtual std::string ReadString(std::string_view section, std::string_view name,
                                   std::string_view def) const = 0;
    virtual void WriteString(std::string_view section, std::string_view name,
                             std::string_view value) = 0;
};

// A store held in memory. Each value keeps the kind it was written with; reading it as the
// other kind gives the default, as a registry value of the wrong type does.
class MemorySettingsStore : public SettingsStore {
public:
    int ReadInt(std::string_view section, std::string_view name, int def) const override;
    void WriteInt(std::string_view section, std::string_view name, int value) override;
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view def) const override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;

    // Whether a value of either kind is stored under the name.
    bool Contains(std::string_view section, std::string_view name) const;
    // Number of stored values in all sections.
    std::size_t Size() const { return values_.size(); }

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, std::variant<int, std::string>> values_;
};

} // namespace xelmor
