#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The most recently opened documents, newest first, kept in the profile
// section "Recent File List" as "File1" to "File4".
class CRecentFileList {
public:
    static constexpr int kSize = 4;

    // Puts path at the top; an entry already present moves there.
    void Add(const QString& path);
    void Remove(int index);
    int GetCount() const { return static_cast<int>(m_aPaths.size()); }
    const QString& operator[](int index) const { return m_aPaths[index]; }
    const QStringList& GetPaths() const { return m_aPaths; }

    void ReadList(QSettings& profile);
    void WriteList(QSettings& profile) const;

private:
    QStringList m_aPaths;
};

// The text of a recent-file menu entry: "&1 /path/file.con", the home folder
// as "~", long paths shortened in the middle, '&' doubled.
QString RecentFileMenuText(int index, const QString& path);
