#include "app/unsaved_changes_journal.h"

#include "platform/message_box.h"
#include "platform/native_path.h"
#include "records/journal_format.h"
#include "records/journal_replay.h"
#include "records/training_document.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstring>
#include <filesystem>
#include <optional>

namespace {

std::string toNativePath(const QString& path)
{
    return nativePath(path);
}

JournalHeader headerFor(const QString& path, const FileIdentity& identity)
{
    JournalHeader header;
    header.m_documentPath = toNativePath(path);
    header.m_identity = identity;
    return header;
}

QString dateAndTime(std::int64_t secondsSince1970)
{
    return QDateTime::fromSecsSinceEpoch(secondsSince1970).toString(QStringLiteral("dd.MM.yyyy 'um' HH:mm:ss"));
}

QString recoveryQuestion(const QString& name, const JournalSummary& found, bool fileChanged)
{
    const int intervals = found.appendedIntervals;
    const std::int64_t last = intervals > 0 ? found.lastIntervalWrittenAt : found.lastWrittenAt;
    QString text;
    if (intervals > 0) {
        const QString count =
            intervals == 1 ? QStringLiteral("1 Intervall") : QStringLiteral("%1 Intervalle").arg(intervals);
        text =
            QStringLiteral("Für %1 wurden nicht gespeicherte Änderungen gefunden: %2, das letzte aufgezeichnet am %3.")
                .arg(name, count, dateAndTime(last));
    } else if (found.entries > 0) {
        text =
            QStringLiteral("Für %1 wurden nicht gespeicherte Änderungen vom %2 gefunden.").arg(name, dateAndTime(last));
    }
    if (const std::optional<IntervalRecord>& cutOff = found.interrupted) {
        if (!text.isEmpty())
            text += '\n';
        text += QStringLiteral("Ein Intervall für %1, begonnen am %2, lief noch, als das Programm endete. Es wird "
                               "bis zu seinem letzten Lebenszeichen am %3 aufgenommen und zählt als uddhacca, wie "
                               "beim Beenden des Messmodus.")
                    .arg(name, dateAndTime(cutOff->m_timeStart), dateAndTime(cutOff->m_timeEnd));
    }
    if (found.stepLeftOut)
        text += QStringLiteral("\nEin Schritt, den das Programm beim Abbruch nicht beendet hatte (etwa ein Import), "
                               "wird ganz weggelassen.");
    if (fileChanged)
        text += QStringLiteral("\n%1 wurde seitdem geändert; die Intervalle werden angehängt, eine Messung mit einer "
                               "schon vergebenen Nummer erhält eine neue.")
                    .arg(name);
    return text + QStringLiteral("\nÄnderungen wiederherstellen?");
}

QString troubleText(int error)
{
    return QStringLiteral("Nicht gespeicherte Änderungen sind nicht gegen einen Absturz geschützt: die "
                          "Wiederherstellungsdatei kann nicht geschrieben werden (%1). Speichern Sie das Dokument.")
        .arg(QString::fromLocal8Bit(std::strerror(error)));
}

// A file name of at most this many bytes leaves room for the hash, a number and ".journal".
constexpr qsizetype kLongestNamePart = 200;

QByteArray shortenedName(QByteArray name)
{
    if (name.size() <= kLongestNamePart)
        return name;
    qsizetype end = kLongestNamePart;
    // Not in the middle of a UTF-8 character.
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    return name.left(end);
}

constexpr int kMostJournals = 64;

} // namespace

UnsavedChangesJournal::UnsavedChangesJournal(TrainingDocument& doc, const QString& folder)
    : m_doc(doc), m_folder(folder)
{
    QDir().mkpath(m_folder);
    // Records of meditation practice are nobody else's business.
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_doc.setJournal(&m_writer);
    m_writer.setProtectionHandler([this](bool protecting, int error) {
        emit protectionChanged(protecting, protecting ? QString() : troubleText(error));
    });
}

UnsavedChangesJournal::~UnsavedChangesJournal()
{
    m_doc.setJournal(nullptr);
}

QString UnsavedChangesJournal::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/journal");
}

QString UnsavedChangesJournal::journalPath(const QString& documentPath, int number) const
{
    const QString suffix = (number > 1 ? QStringLiteral("-%1").arg(number) : QString()) + QStringLiteral(".journal");
    if (documentPath.isEmpty())
        return m_folder + '/' + TrainingDocument::kUntitled + suffix;
    // The file name for a reader, the hash of the whole path for two files of one name.
    const QByteArray hash = QCryptographicHash::hash(nativeFromPath(documentPath), QCryptographicHash::Sha1);
    const QByteArray name = shortenedName(nativeFromPath(QFileInfo(documentPath).fileName()));
    return m_folder + '/' + pathFromNative(name) + '-' + QString::fromLatin1(hash.toHex().left(16)) + suffix;
}

void UnsavedChangesJournal::documentOpened(const QString& path, const FileIdentity& identity, QWidget* dialogParent)
{
    // The journal of the document open before is no longer this program's.
    beginJournal(path, identity);
    offer(path, identity, dialogParent);
}

void UnsavedChangesJournal::offer(const QString& path, const FileIdentity& identity, QWidget* dialogParent)
{
    const std::string documentPath = toNativePath(path);
    for (int number = 1; number <= kMostJournals; ++number) {
        const std::string journal = toNativePath(journalPath(path, number));
        if (!std::filesystem::exists(journal))
            continue;
        // Another running program writes it: its changes are not lost. Held
        // while the user is asked, so that no other program offers it too.
        JournalLock lock;
        if (!lock.acquire(journal))
            continue;
        const JournalSummary found = summarizeJournal(journal);
        if (found.isEmpty() || found.header.m_documentPath != documentPath)
            continue;
        const QString name =
            path.isEmpty() ? QString::fromUtf8(TrainingDocument::kUntitled) : QFileInfo(path).fileName();
        const bool fileChanged = !path.isEmpty() && !(found.header.m_identity == identity);
        if (messageBoxes().askYesNoDefaulting(dialogParent, recoveryQuestion(name, found, fileChanged),
                                              MessageBox::Answer::Yes) != MessageBox::Answer::Yes) {
            std::error_code ignored;
            std::filesystem::remove(journal, ignored);
            return;
        }
        std::optional<JournalReader> reader = JournalReader::openFile(journal);
        if (!reader)
            return;
        // A step the crash cut short is left out, and the journal goes on before it.
        reader->stopAt(found.completeLength);
        // The replayed edits are in the journal already; it goes on after them.
        m_doc.setJournal(nullptr);
        const JournalReplay replay = replayJournal(m_doc, *reader, fileChanged);
        m_doc.setJournal(&m_writer);
        m_writer.resume(std::move(lock), reader->completeLength());
        // The interval cut off by the crash is now one that ended, and says so in the journal.
        if (replay.interrupted)
            m_writer.record(*replay.interrupted);
        m_doc.setModified(true);
        m_doc.announceReset(DocumentReset::Loaded);
        return;
    }
}

void UnsavedChangesJournal::beginJournal(const QString& path, const FileIdentity& identity)
{
    m_writer.begin(
        [this, path](int number) {
            return number <= kMostJournals ? toNativePath(journalPath(path, number)) : std::string();
        },
        headerFor(path, identity));
}

void UnsavedChangesJournal::documentSaved(const QString& path, const FileIdentity& identity)
{
    m_writer.discard();
    beginJournal(path, identity);
}

void UnsavedChangesJournal::discard()
{
    m_writer.discard();
}
