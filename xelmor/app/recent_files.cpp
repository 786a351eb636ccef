#include "xelmor/app/recent_files.h"

#include <QDir>

#include "xelmor/files/settings.h"
#include "xelmor/files/settings_values.h"

namespace xelmor {

namespace {

constexpr int kDisplayLength = 30;

bool SameFile(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

} // namespace

void CRecentFileList::Load(const SettingsStore& store) {
    m_files.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const std::string path = store.ReadString(kRecentFileSection, RecentFileValueName(i), "");
        if (!path.empty())
            m_files << QString::fromStdString(path);
    }
}

void CRecentFileList::Save(SettingsStore& store) const {
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const std::string path = i <= Size() ? m_files[i - 1].toStdString() : std::string();
        if (!path.empty() ||
            !store.ReadString(kRecentFileSection, RecentFileValueName(i), "").empty())
            store.WriteString(kRecentFileSection, RecentFileValueName(i), path);
    }
}

void CRecentFileList::Add(const QString& path) {
    for (int i = 0; i < Size(); ++i)
        if (SameFile(m_files[i], path)) {
            m_files.removeAt(i);
            break;
        }
    m_files.prepend(path);
    while (Size() > kRecentFileCount)
        m_files.removeLast();
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < Size())
        m_files.removeAt(index);
}

QString CRecentFileList::MenuText(int index) const {
    QString name = AbbreviatePath(QDir::toNativeSeparators(m_files[index]), kDisplayLength);
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}

QString AbbreviatePath(const QString& path, int maxLength) {
    if (path.size() <= maxLength)
        return path;
    const QChar sep = QDir::separator();
    const int lastSep = path.lastIndexOf(sep);
    const QString fileName = lastSep < 0 ? path : path.mid(lastSep + 1);
    // The root: "/" or "C:\" or "\\server\share\".
    int rootLength = 0;
    if (path.startsWith(QStringLiteral("\\\\"))) {
        const int share = path.indexOf(sep, 2);
        const int end = share < 0 ? -1 : path.indexOf(sep, share + 1);
        rootLength = end < 0 ? 0 : end + 1;
    } else if (path.size() > 2 && path[1] == QLatin1Char(':') && path[2] == sep) {
        rootLength = 3;
    } else if (path.startsWith(sep)) {
        rootLength = 1;
    }
    const QString root = path.left(rootLength);
    const QString dots = QStringLiteral("...") + sep;
    if (root.size() + dots.size() + fileName.size() > maxLength)
        return fileName;
    // Keep as many trailing folders as fit after the root and "...".
    int start = lastSep;
    for (;;) {
        const int before = path.lastIndexOf(sep, start - 1);
        if (before < rootLength ||
            root.size() + dots.size() + (path.size() - before - 1) > maxLength)
            break;
        start = before;
    }
    return root + dots + path.mid(start + 1);
}

} // namespace xelmor
