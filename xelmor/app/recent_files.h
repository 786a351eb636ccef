// The list of the most recently opened or saved pattern documents shown in the File menu, kept
// in the settings section "Recent File List".
#pragma once

#include <QString>
#include <QStringList>

namespace xelmor {

class SettingsStore;

class CRecentFileList {
public:
    void Load(const SettingsStore& store);
    // Writes every entry, and removes the values of the places that are empty.
    void Save(SettingsStore& store) const;

    // Puts `path` first; an entry of the same file moves up, the oldest falls off.
    void Add(const QString& path);
    void Remove(int index);

    int Size() const { return static_cast<int>(m_files.size()); }
    const QString& Path(int index) const { return m_files[index]; }

    // The menu text of entry `index` (0-based): "&1 " and the path, shortened to 30 characters.
    QString MenuText(int index) const;

private:
    QStringList m_files;
};

// Shortens a path to at most `maxLength` characters by putting "..." for folders after its
// root; a file name that alone is too long is shown whole.
QString AbbreviatePath(const QString& path, int maxLength);

} // namespace xelmor
