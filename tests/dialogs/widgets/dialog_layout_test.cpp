#include "dialogs/interval_filter_dialog.h"
#include "dialogs/manual_entry_dialog.h"
#include "dialogs/phone_record_dialog.h"
#include "dialogs/sound_choice_dialog.h"
#include "editing/document_editor.h"
#include "tests/support/document_edits.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Every text and every time must show in full inside its control, and every
// control inside the dialog.
void expectNothingCutOff(QDialog& dialog)
{
    dialog.show();
    const QRect client = dialog.rect();
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name = child->objectName() + " " + child->metaObject()->className();
        EXPECT_TRUE(client.contains(child->geometry())) << name.toStdString();
        if (auto* label = qobject_cast<QLabel*>(child)) {
            const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
            const QFontMetrics metrics = label->fontMetrics();
            const QRect text = metrics.boundingRect(QRect(0, 0, label->width(), 1000), flags, label->text());
            const int lines = text.height() / metrics.lineSpacing();
            EXPECT_LE(lines * metrics.lineSpacing(), label->height()) << label->text().toStdString();
            EXPECT_LE(text.width(), label->width()) << label->text().toStdString();
        } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
            const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
            EXPECT_LT(textWidth, button->width()) << button->text().toStdString();
        } else if (auto* time = qobject_cast<QTimeEdit*>(child)) {
            EXPECT_LE(time->minimumSizeHint().width(), time->width()) << name.toStdString();
        }
    }
    // JHAVARI_SCREENSHOT_DIR keeps a picture of each dialog to look at.
    const QByteArray folder = qgetenv("JHAVARI_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        dialog.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(dialog.windowTitle() + ".png"));
}

} // namespace

TEST(DialogLayout, AllFourDialogsShowTheirTextsInFull)
{
    TrainingDocument document;
    DocumentEditor editor(document);
    changeSettings(document, [](DocumentSettings& settings) {
        settings.m_timeFilter = makeDuration(23, 59, 59);
        for (std::size_t i = 0; i < kSoundEventCount; ++i)
            settings.m_soundFiles[i] = "/usr/share/jhavari-training/sounds/" + std::string(kDefaultSoundFiles[i]);
    });
    ManualEntryDialog manual(editor, 0);
    manual.propose("12", makeLocalTime(2026, 3, 10, 23, 58, 0), makeLocalTime(2026, 3, 10, 23, 59, 20));
    expectNothingCutOff(manual);

    PhoneRecordDialog phone(editor, 0, 65535);
    phone.findChild<QLineEdit*>(QString::number(PhoneRecordDialog::IDC_RECORD))->setText("1700000000-1700000600x");
    expectNothingCutOff(phone);

    IntervalFilterDialog filter(editor);
    expectNothingCutOff(filter);

    SoundChoiceDialog sounds(editor, {});
    expectNothingCutOff(sounds);
}
