#include "platform/message_box.h"

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
void answerNextBox(SeenBox& seen, QMessageBox::StandardButton press)
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
    answerNextBox(seen, QMessageBox::Ok);
    messageBoxes().showMessage(nullptr, "The file is defective and can not be read.");
    EXPECT_EQ(seen.caption, "Jhavari-Training");
    EXPECT_EQ(seen.text, "The file is defective and can not be read.");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);

    answerNextBox(seen, QMessageBox::No);
    EXPECT_EQ(messageBoxes().askYesNo(nullptr, "Sure?"), MessageBox::Answer::No);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);

    // The question whether to save changes is a question, too.
    answerNextBox(seen, QMessageBox::Cancel);
    EXPECT_EQ(messageBoxes().askYesNoCancel(nullptr, "Änderungen in Unbenannt speichern?"), MessageBox::Answer::Cancel);
    EXPECT_EQ(seen.caption, "Jhavari-Training");
    EXPECT_EQ(seen.text, "Änderungen in Unbenannt speichern?");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    answerNextBox(seen, QMessageBox::Yes);
    EXPECT_EQ(messageBoxes().askYesNoCancel(nullptr, "Änderungen in Unbenannt speichern?"), MessageBox::Answer::Yes);
}
