#include "recent_file_list.h"

#include <QDir>
#include <QSettings>

namespace {

constexpr const char* kSection = "Recent File List";
constexpr int kMaxDisplayLength = 60;

QString EntryName(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

void CRecentFileList::Add(const QString& path)
{
    m_aPaths.removeAll(path);
    m_aPaths.prepend(path);
    while (m_aPaths.size() > kSize)
        m_aPaths.removeLast();
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetCount())
        m_aPaths.removeAt(index);
}

void CRecentFileList::ReadList(QSettings& profile)
{
    m_aPaths.clear();
    profile.beginGroup(kSection);
    for (int i = 0; i < kSize; ++i) {
        const QString path = profile.value(EntryName(i)).toString();
        if (!path.isEmpty() && !m_aPaths.contains(path))
            m_aPaths.append(path);
    }
    profile.endGroup();
}

void CRecentFileList::WriteList(QSettings& profile) const
{
    profile.remove(kSection);
    profile.beginGroup(kSection);
    for (int i = 0; i < GetCount(); ++i)
        profile.setValue(EntryName(i), m_aPaths[i]);
    profile.endGroup();
}

QString RecentFileMenuText(int index, const QString& path)
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
