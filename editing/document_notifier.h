#pragma once

#include "records/document_listener.h"

#include <QObject>

#include <memory>
#include <vector>

class DocumentSettings;
class TrainingDocument;

// Carries the document's announcements to the Qt views as signals, once per
// applied edit; DocumentListener says what each means.
class DocumentNotifier : public QObject {
    Q_OBJECT
public:
    explicit DocumentNotifier(TrainingDocument& document, QObject* parent = nullptr);
    ~DocumentNotifier() override;

signals:
    void documentReset(DocumentReset reason);
    void documentSaved();
    void recordsAppended(int type, int first, int count);
    void recordsRemoved(int type, const std::vector<int>& positions);
    void recordsInserted(int type, const std::vector<int>& positions);
    void settingsChanged(const DocumentSettings& previous);
    void currentTypeChanged();

private:
    class Relay;

    TrainingDocument& m_document;
    std::unique_ptr<Relay> m_relay;
};
