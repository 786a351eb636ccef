#include "xelmor/app/qsettings_store.h"

namespace xelmor {

namespace {

QString Key(std::string_view section, std::string_view name) {
    return QString::fromUtf8(section.data(), qsizetype(section.size())) + QLatin1Char('/') +
           QString::fromUtf8(name.data(), qsizetype(name.size()));
}

} // namespace

CQSettingsStore::CQSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Xelmorscope3"),
                QStringLiteral("Xelmor")) {}

int CQSettingsStore::ReadInt(std::string_view section, std::string_view name, int def) const {
    const QVariant v = settings_.value(Key(section, name));
    if (!v.isValid())
        return def;
    bool ok = false;
    const int value = v.toInt(&ok);
    return ok ? value : def;
}

void CQSettingsStore::WriteInt(std::string_view section, std::string_view name, int value) {
    settings_.setValue(Key(section, name), value);
}

std::string CQSettingsStore::ReadString(std::string_view section, std::string_view name,
                                        std::string_view def) const {
    const QVariant v = settings_.value(Key(section, name));
    if (!v.isValid())
        return std::string(def);
    return v.toString().toStdString();
}

void CQSettingsStore::WriteString(std::string_view section, std::string_view name,
                                  std::string_view value) {
    settings_.setValue(Key(section, name),
                       QString::fromUtf8(value.data(), qsizetype(value.size())));
}

void CQSettingsStore::Flush() {
    settings_.sync();
}

} // namespace xelmor
