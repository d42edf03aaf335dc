#include "app/recent_file_list.h"

#include <QDir>
#include <QSettings>

namespace {

constexpr const char* kSection = "Recent File List";
constexpr int kMaxDisplayLength = 60;

QString entryName(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

void RecentFileList::add(const QString& path)
{
    m_paths.removeAll(path);
    m_paths.prepend(path);
    while (m_paths.size() > kSize)
        m_paths.removeLast();
}

void RecentFileList::remove(int index)
{
    if (index >= 0 && index < count())
        m_paths.removeAt(index);
}

void RecentFileList::readList(QSettings& profile)
{
    m_paths.clear();
    profile.beginGroup(kSection);
    for (int i = 0; i < kSize; ++i) {
        const QString path = profile.value(entryName(i)).toString();
        if (!path.isEmpty() && !m_paths.contains(path))
            m_paths.append(path);
    }
    profile.endGroup();
}

void RecentFileList::writeList(QSettings& profile) const
{
    profile.remove(kSection);
    profile.beginGroup(kSection);
    for (int i = 0; i < count(); ++i)
        profile.setValue(entryName(i), m_paths[i]);
    profile.endGroup();
}

QString recentFileMenuText(int index, const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    const QString home = QDir::homePath();
    if (shown.startsWith(home + '/'))
        shown = '~' + shown.mid(home.size());
    if (shown.size() > kMaxDisplayLength) {
        const qsizetype keep = (kMaxDisplayLength - 3) / 2;
        shown = shown.left(keep) + QStringLiteral("...") + shown.right(keep);
    }
    shown.replace('&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
