// The per-user settings store of the program, kept by QSettings.
#pragma once

#include <QSettings>

#include "xelmor/files/settings.h"

namespace xelmor {

// Values live under organization "Xelmorscope3", application "Xelmor", one group per section.
class CQSettingsStore : public SettingsStore {
public:
    CQSettingsStore();

    int ReadInt(std::string_view section, std::string_view name, int def) const override;
    void WriteInt(std::string_view section, std::string_view name, int value) override;
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view def) const override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;

    // Writes pending changes to disk now (QSettings otherwise does it later or on destruction).
    void Flush();

private:
    mutable QSettings settings_;
};

} // namespace xelmor
