// The frame the entry dialogs share, seen through the project, template and subproject dialogs.

#include "DialogFixture.h"

#include "Common.h"
#include "EntryForm.h"
#include "Notifications.h"
#include "ProjectEntryForm.h"
#include "Yproject.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

namespace {

using EntryFrame = DialogTest;

void Key(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &press);
}

// A fixed-size dialog with "Ok" as the default button and "Cancel"; while it is open the main
// window is locked but for Help, File, Output and Setup, and closing it unlocks everything.
TEST_F(EntryFrame, IsAFixedDialogThatLocksTheMainWindowWhileOpen) {
  Click(QStringLiteral("Project"));
  EntryForm* form = OpenDialog(QStringLiteral("ProjectEntryForm"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->OkCommand()->text(), QStringLiteral("Ok"));
  EXPECT_TRUE(form->OkCommand()->isDefault());
  EXPECT_EQ(form->CancelCommand()->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_EQ(form->BorderStyle(), Forms::BorderDialog);
  EXPECT_FALSE(mainForm->Control(QStringLiteral("ProjectMenu"))->isEnabled());
  EXPECT_FALSE(mainForm->ProjectCombo()->isEnabled());
  EXPECT_TRUE(mainForm->Control(QStringLiteral("HelpMenu"))->isEnabled());
  EXPECT_FALSE(Forms::FrameOf(Forms::Find(QStringLiteral("ProjectTreeForm")))->isEnabled());
  PressCancel(form);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("ProjectMenu"))->isEnabled());
  EXPECT_TRUE(mainForm->ProjectCombo()->isEnabled());
  EXPECT_TRUE(Forms::FrameOf(Forms::Find(QStringLiteral("ProjectTreeForm")))->isEnabled());
  EXPECT_EQ(Forms::Find(QStringLiteral("ProjectEntryForm")), nullptr);
}

// F1 in a text box opens the help of the dialog's field and the box never sees the key.
TEST_F(EntryFrame, F1AsksForHelpBeforeAnyControlSeesIt) {
  Click(QStringLiteral("Project"));
  EntryForm* form = OpenDialog(QStringLiteral("ProjectEntryForm"));
  ASSERT_NE(form, nullptr);
  auto* name = Field<QLineEdit>(form, "ProjectNameText");
  name->setText(QStringLiteral("Annex"));
  name->setFocus();
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QStringLiteral("x"));
  QCoreApplication::sendEvent(name, &f1);
  EXPECT_TRUE(Messages().isEmpty());
  QWidget* help = Forms::Find(QStringLiteral("HelpForm"));
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->windowTitle(), QStringLiteral("Project.Project"));
  EXPECT_EQ(name->text(), QStringLiteral("Annex"));
  EXPECT_EQ(OpenDialog(QStringLiteral("ProjectEntryForm")), form);
  PressCancel(form);
}

// Enter in a box presses Ok; Esc presses Cancel.
TEST_F(EntryFrame, EnterIsOkAndEscapeIsCancel) {
  Click(QStringLiteral("Project"));
  EntryForm* form = OpenDialog(QStringLiteral("ProjectEntryForm"));
  ASSERT_NE(form, nullptr);
  Fill(form, "ProjectNameText", QStringLiteral("Annex"));
  Key(Field<QLineEdit>(form, "ProjectNameText"), Qt::Key_Return);
  EXPECT_EQ(OpenDialog(QStringLiteral("ProjectEntryForm")), nullptr);
  EXPECT_NE(Common::Projects().Find(QStringLiteral("Annex")), nullptr);

  Click(QStringLiteral("Project"));
  form = OpenDialog(QStringLiteral("ProjectEntryForm"));
  ASSERT_NE(form, nullptr);
  Fill(form, "ProjectNameText", QStringLiteral("Wing"));
  Key(Field<QLineEdit>(form, "DescriptionText"), Qt::Key_Escape);
  EXPECT_EQ(OpenDialog(QStringLiteral("ProjectEntryForm")), nullptr);
  EXPECT_EQ(Common::Projects().Find(QStringLiteral("Wing")), nullptr);
}

// Every box of the project dialog carries the help tip and selects its whole text when it takes
// the focus, so that typing replaces it.
TEST_F(EntryFrame, BoxesSelectTheirTextOnFocus) {
  Click(QStringLiteral("ProjectModifyMenu"));
  EntryForm* form = OpenDialog(QStringLiteral("ProjectEntryForm"));
  ASSERT_NE(form, nullptr);
  for (QLineEdit* box : form->findChildren<QLineEdit*>()) {
    EXPECT_EQ(box->toolTip(), EntryForm::HelpTip()) << box->objectName().toStdString();
    box->setText(QStringLiteral("1250"));
    form->OkCommand()->setFocus();
    box->deselect();
    box->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(box->selectedText(), QStringLiteral("1250")) << box->objectName().toStdString();
  }
  PressCancel(form);
}

// Which notifications close which dialog, without saving: a new selection, journal or active
// project closes all three; a new active template closes none.
struct Notified {
  const char* dialog;
  const char* button;
  void (*notify)();
  const char* notification;
  bool closes;
};

void PrintTo(const Notified& c, std::ostream* out) { *out << c.dialog << "." << c.notification; }

class EntryNotifications : public EntryFrame, public testing::WithParamInterface<Notified> {};

TEST_P(EntryNotifications, CloseWithoutSaving) {
  const Notified c = GetParam();
  Click(QString::fromLatin1(c.button));
  EntryForm* form = OpenDialog(QString::fromLatin1(c.dialog));
  ASSERT_NE(form, nullptr);
  c.notify();
  EXPECT_EQ(OpenDialog(QString::fromLatin1(c.dialog)) == nullptr, c.closes);
  if (!c.closes) PressCancel(form);
  EXPECT_EQ(Common::Projects().Count(), 2);
  EXPECT_EQ(Common::Templates().Count(), 1);
  EXPECT_FALSE(plant->Dirty());
  EXPECT_TRUE(mainForm->Control(QStringLiteral("ProjectMenu"))->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, EntryNotifications,
    testing::Values(
        Notified{"ProjectEntryForm", "Project", &Common::BroadcastNewDragNode, "NewDragNode", true},
        Notified{"ProjectEntryForm", "Project", &Common::BroadcastNewJournal, "NewJournal", true},
        Notified{"ProjectEntryForm", "Project", &Common::BroadcastNewThisProject, "NewThisProject", true},
        Notified{"ProjectEntryForm", "Project", &Common::BroadcastNewThisTemplate, "NewThisTemplate", false},
        Notified{"TemplateEntryForm", "Template", &Common::BroadcastNewDragNode, "NewDragNode", true},
        Notified{"TemplateEntryForm", "Template", &Common::BroadcastNewJournal, "NewJournal", true},
        Notified{"TemplateEntryForm", "Template", &Common::BroadcastNewThisProject, "NewThisProject", true},
        Notified{"TemplateEntryForm", "Template", &Common::BroadcastNewThisTemplate, "NewThisTemplate", false},
        Notified{"SubprojectEntryForm", "Subproject", &Common::BroadcastNewDragNode, "NewDragNode", true},
        Notified{"SubprojectEntryForm", "Subproject", &Common::BroadcastNewJournal, "NewJournal", true},
        Notified{"SubprojectEntryForm", "Subproject", &Common::BroadcastNewThisProject, "NewThisProject", true},
        Notified{"SubprojectEntryForm", "Subproject", &Common::BroadcastNewThisTemplate, "NewThisTemplate", false}),
    [](const testing::TestParamInfo<Notified>& info) {
      return std::string(info.param.dialog) + "_" + info.param.notification;
    });

// Closing the main window while a dialog is open closes the dialog, unsaved, and keeps the
// program running.
TEST_F(EntryFrame, ClosingTheMainWindowClosesTheDialogFirst) {
  Click(QStringLiteral("Project"));
  EntryForm* form = OpenDialog(QStringLiteral("ProjectEntryForm"));
  ASSERT_NE(form, nullptr);
  Fill(form, "ProjectNameText", QStringLiteral("Annex"));
  mainForm->close();
  EXPECT_EQ(OpenDialog(QStringLiteral("ProjectEntryForm")), nullptr);
  EXPECT_TRUE(mainForm->isVisible());
  EXPECT_EQ(Common::Projects().Find(QStringLiteral("Annex")), nullptr);
}

}  // namespace
