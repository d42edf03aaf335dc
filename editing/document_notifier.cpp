#include "editing/document_notifier.h"

#include "records/training_document.h"

class DocumentNotifier::Relay : public DocumentListener {
public:
    explicit Relay(DocumentNotifier& notifier) : m_notifier(notifier) { }

    void documentReset(DocumentReset reason) override { emit m_notifier.documentReset(reason); }
    void documentSaved() override { emit m_notifier.documentSaved(); }
    void recordsAppended(int type, int first, int count) override
    {
        emit m_notifier.recordsAppended(type, first, count);
    }
    void recordsRemoved(int type, const std::vector<int>& positions) override
    {
        emit m_notifier.recordsRemoved(type, positions);
    }
    void recordsInserted(int type, const std::vector<int>& positions) override
    {
        emit m_notifier.recordsInserted(type, positions);
    }
    void settingsChanged(const DocumentSettings& previous) override { emit m_notifier.settingsChanged(previous); }
    void currentTypeChanged() override { emit m_notifier.currentTypeChanged(); }

private:
    DocumentNotifier& m_notifier;
};

DocumentNotifier::DocumentNotifier(TrainingDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_relay(std::make_unique<Relay>(*this))
{
    m_document.addListener(m_relay.get());
}

DocumentNotifier::~DocumentNotifier()
{
    m_document.removeListener(m_relay.get());
}
