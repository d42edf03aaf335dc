#include "app/unsaved_changes_journal.h"

#include "platform/message_box.h"
#include "records/journal_format.h"
#include "records/training_document.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

std::string toNativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

JournalHeader headerFor(const QString& path, const FileIdentity& identity)
{
    JournalHeader header;
    header.m_documentPath = toNativePath(path);
    header.m_identity = identity;
    return header;
}

QString recoveryQuestion(const QString& name, const JournalContents& found, bool fileChanged)
{
    const int intervals = found.appendedIntervalCount();
    const std::int64_t last = intervals > 0 ? found.lastIntervalWrittenAt() : found.m_entries.back().m_writtenAt;
    const QString when = QDateTime::fromSecsSinceEpoch(last).toString(QStringLiteral("dd.MM.yyyy 'um' HH:mm:ss"));
    QString text;
    if (intervals > 0) {
        const QString count =
            intervals == 1 ? QStringLiteral("1 Intervall") : QStringLiteral("%1 Intervalle").arg(intervals);
        text =
            QStringLiteral("Für %1 wurden nicht gespeicherte Änderungen gefunden: %2, das letzte aufgezeichnet am %3.")
                .arg(name, count, when);
    } else {
        text = QStringLiteral("Für %1 wurden nicht gespeicherte Änderungen vom %2 gefunden.").arg(name, when);
    }
    if (fileChanged)
        text += QStringLiteral("\n%1 wurde seitdem geändert; die Intervalle werden angehängt.").arg(name);
    return text + QStringLiteral("\nÄnderungen wiederherstellen?");
}

} // namespace

UnsavedChangesJournal::UnsavedChangesJournal(TrainingDocument& doc, const QString& folder)
    : m_doc(doc), m_folder(folder)
{
    QDir().mkpath(m_folder);
    // Records of meditation practice are nobody else's business.
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_doc.setJournal(&m_writer);
}

UnsavedChangesJournal::~UnsavedChangesJournal()
{
    m_doc.setJournal(nullptr);
}

QString UnsavedChangesJournal::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/journal");
}

QString UnsavedChangesJournal::journalPath(const QString& documentPath) const
{
    if (documentPath.isEmpty())
        return m_folder + '/' + TrainingDocument::kUntitled + QStringLiteral(".journal");
    // The file name for a reader, the hash of the whole path for two files of one name.
    const QByteArray hash = QCryptographicHash::hash(QFile::encodeName(documentPath), QCryptographicHash::Sha1);
    return m_folder + '/' + QFileInfo(documentPath).fileName() + '-' + QString::fromLatin1(hash.toHex().left(16)) +
           QStringLiteral(".journal");
}

void UnsavedChangesJournal::documentOpened(const QString& path, const FileIdentity& identity, QWidget* dialogParent)
{
    if (offer(path, identity, dialogParent))
        return;
    m_writer.begin(toNativePath(journalPath(path)), headerFor(path, identity));
    m_writer.discard();
}

bool UnsavedChangesJournal::offer(const QString& path, const FileIdentity& identity, QWidget* dialogParent)
{
    const QString journal = journalPath(path);
    const JournalHeader header = headerFor(path, identity);
    const JournalContents found = readJournal(toNativePath(journal));
    if (!found.hasHeader() || found.m_header.m_documentPath != header.m_documentPath || found.m_entries.empty())
        return false;
    const QString name = path.isEmpty() ? QString::fromUtf8(TrainingDocument::kUntitled) : QFileInfo(path).fileName();
    const bool fileChanged = !path.isEmpty() && !(found.m_header.m_identity == identity);
    if (messageBoxes().askYesNoDefaulting(dialogParent, recoveryQuestion(name, found, fileChanged),
                                          MessageBox::Answer::Yes) != MessageBox::Answer::Yes)
        return false;
    // The replayed edits are in the journal already; it continues from them.
    m_doc.setJournal(nullptr);
    replayJournal(m_doc, found.m_entries);
    m_doc.setJournal(&m_writer);
    m_writer.beginWith(toNativePath(journal), header, found.m_entries);
    m_doc.setModified(true);
    m_doc.announceReset(DocumentReset::Loaded);
    return true;
}

void UnsavedChangesJournal::documentSaved(const QString& path, const FileIdentity& identity)
{
    m_writer.discard();
    m_writer.begin(toNativePath(journalPath(path)), headerFor(path, identity));
}

void UnsavedChangesJournal::discard()
{
    m_writer.discard();
}
