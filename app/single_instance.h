#pragma once

#include "records/file_descriptor.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;

// One running instance per user. The first instance holds a lock on a file
// named after the instance mutex for its whole life; once its window exists it
// answers later instances on a local socket named after the question message.
// The system drops the lock of a killed instance, so nothing is ever stale.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kMutexName = "Versenkwerk-{0302F28F-8CCB-480a-8436-4077F4D01E8B}";
    static constexpr const char* kMessageName = "UWM_ARE_YOU_ME-{0D712E07-5448-411f-804B-49E7E453D28C}";
    static constexpr int kAnswerTimeoutMs = 200;

    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when no other instance runs; this process is the instance from now on.
    bool acquire();
    // Asks the running instance whether it is one of us and, when it answers
    // in time, to restore and activate its window. False without an answer.
    bool activateRunningInstance(int timeoutMs = kAnswerTimeoutMs);
    // Starts answering later instances.
    bool listen();

    QString lockFilePath() const;
    QString serverPath() const;

signals:
    void activationRequested();

private:
    // A later instance connected to the socket, with what it sent of its current line.
    struct Caller {
        FileDescriptor socket;
        QSocketNotifier* notifier = nullptr;
        QByteArray received;
    };

    void acceptCallers();
    // Reads what the caller sent and answers its lines; false once it is gone.
    bool serve(Caller& caller);

    FileDescriptor m_lock;
    FileDescriptor m_server;
    std::vector<std::unique_ptr<Caller>> m_callers;
};
