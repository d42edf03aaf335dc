#include "message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Once the next real message box is up: notes what it shows and presses the button.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton press)
{
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        box->button(press)->click();
    });
}

} // namespace

TEST(MessageBox, MessagesWarnAndQuestionsAskWithTheProgramsCaption)
{
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    MessageBoxes().ShowMessage(nullptr, "The file is defective and can not be read.");
    EXPECT_EQ(seen.caption, "Jhavari-Training");
    EXPECT_EQ(seen.text, "The file is defective and can not be read.");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);

    AnswerNextBox(seen, QMessageBox::No);
    EXPECT_EQ(MessageBoxes().AskYesNo(nullptr, "Sure?"), IMessageBox::Answer::No);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);

    // The question whether to save changes is a question, too.
    AnswerNextBox(seen, QMessageBox::Cancel);
    EXPECT_EQ(MessageBoxes().AskYesNoCancel(nullptr, "Änderungen in Unbenannt speichern?"),
              IMessageBox::Answer::Cancel);
    EXPECT_EQ(seen.caption, "Jhavari-Training");
    EXPECT_EQ(seen.text, "Änderungen in Unbenannt speichern?");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    AnswerNextBox(seen, QMessageBox::Yes);
    EXPECT_EQ(MessageBoxes().AskYesNoCancel(nullptr, "Änderungen in Unbenannt speichern?"), IMessageBox::Answer::Yes);
}
