#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The most recently opened documents, newest first, kept in the profile
// section "Recent File List" as "File1" to "File4".
class RecentFileList {
public:
    static constexpr int kSize = 4;

    // Puts path at the top; an entry already present moves there.
    void add(const QString& path);
    void remove(int index);
    int count() const { return static_cast<int>(m_paths.size()); }
    const QString& operator[](int index) const { return m_paths[index]; }
    const QStringList& paths() const { return m_paths; }

    void readList(QSettings& profile);
    void writeList(QSettings& profile) const;

private:
    QStringList m_paths;
};

// The text of a recent-file menu entry: "&1 /path/file.con", the home folder
// as "~", long paths shortened in the middle, '&' doubled.
QString recentFileMenuText(int index, const QString& path);
