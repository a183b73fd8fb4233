#include "CaseName.h"
#include "Common.h"
#include "CommonDialogService.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Settings.h"
#include "ShellFixture.h"
#include "Yproject.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QMdiArea>
#include <QWidget>

namespace {

using testsupport::AskedDialog;

const QString kFilter =
    QStringLiteral("PRAXEL Bundle (*.pxb)|*.pxb|PRAXEL Ascii (*.pxa)|*.pxa|Microsoft Project XML (*.xml)|*.xml");

class CommonDialogs : public ShellTest {};

// The dialog is offered the window's size in whole points; the chosen size is applied and stored
// in whole points, with the other three settings.
TEST_F(CommonDialogs, ShowFontRoundsSizesAndKeepsTheFontInTheSettings) {
  QWidget window;
  window.setObjectName(QStringLiteral("GanttForm"));
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setPointSizeF(9.75);
  window.setFont(font);
  dialogs.ChooseFontAnswer({QStringLiteral("DejaVu Sans"), 10.5, true, false});

  EXPECT_TRUE(Help::ShowFont(&window));

  ASSERT_EQ(dialogs.Asked().size(), 1);
  EXPECT_EQ(dialogs.Asked().at(0).font.size, 10);
  EXPECT_EQ(dialogs.Asked().at(0).font.name, QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(window.font().pointSize(), 11);
  EXPECT_TRUE(window.font().bold());
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("GanttForm.FontName")), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("GanttForm.FontSize")), QStringLiteral("11"));
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("GanttForm.FontBold")), QStringLiteral("True"));
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("GanttForm.FontItalic")), QStringLiteral("False"));
}

TEST_F(CommonDialogs, ACancelledFontDialogChangesNothing) {
  QWidget window;
  window.setObjectName(QStringLiteral("GanttForm"));
  const QFont before = window.font();
  dialogs.CancelFont();
  EXPECT_FALSE(Help::ShowFont(&window));
  EXPECT_EQ(window.font(), before);
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("GanttForm.FontName")), QString());
}

TEST_F(CommonDialogs, FileDialogsOfferTheProjectKindsFromTheStartFolder) {
  dialogs.OpenAnswer(QString());
  dialogs.SaveAnswer(QString());
  dialogs.SaveAnswer(QString());
  EXPECT_EQ(Help::ShowOpen(QStringLiteral("/plans")), QString());
  EXPECT_EQ(Help::ShowSave(QStringLiteral("/plans"), QString()), QString());
  Help::ShowSave(QStringLiteral("/plans"), QStringLiteral("/plans/office.pxa"));

  ASSERT_EQ(dialogs.Asked().size(), 3);
  for (const AskedDialog& asked : dialogs.Asked()) {
    EXPECT_EQ(asked.request.filter, kFilter);
    EXPECT_EQ(asked.request.filterIndex, 1);
    EXPECT_EQ(asked.request.initialFolder, QStringLiteral("/plans"));
  }
  EXPECT_EQ(dialogs.Asked().at(0).kind, AskedDialog::Kind::Open);
  EXPECT_EQ(dialogs.Asked().at(1).request.fileName, QStringLiteral("NoName.pxb"));
  EXPECT_EQ(dialogs.Asked().at(1).request.defaultExtension, QStringLiteral(".pxb"));
  EXPECT_EQ(dialogs.Asked().at(2).request.fileName, QStringLiteral("/plans/office.pxa"));
}

TEST_F(CommonDialogs, AConfirmedPrinterSetUpRedrawsEveryChart) {
  RegisterFake<FakeChart>(QStringLiteral("GanttForm"));
  StartProgram();
  Show(QStringLiteral("GanttForm"));
  FormCalls().clear();
  dialogs.PrinterAnswer(false);
  mainForm->Control(QStringLiteral("SetupPrinterMenu"))->trigger();
  EXPECT_TRUE(FormCalls().isEmpty());
  dialogs.PrinterAnswer(true);
  mainForm->Control(QStringLiteral("SetupPrinterMenu"))->trigger();
  EXPECT_EQ(FormCalls(), QStringList{QStringLiteral("GanttForm.NewSolution")});
}

// Setup > Font asks the window in front to change its font; a window without ChangeFont is named
// in the message without its "Form".
TEST_F(CommonDialogs, SetupFontAsksTheWindowInFront) {
  RegisterFake<FakeChart>(QStringLiteral("GanttForm"));
  RegisterFake<FakeDialog>(QStringLiteral("ZoomForm"));
  StartProgram();
  mainForm->MdiArea()->setActiveSubWindow(nullptr);  // the trees are open, none in front
  QAction* setupFont = mainForm->Control(QStringLiteral("SetupFontMenu"));
  prompter.Answer(praxel::AnswerOk);
  setupFont->trigger();
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("There is no active window."));
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Not Applicable"));

  Show(QStringLiteral("GanttForm"));
  setupFont->trigger();
  EXPECT_TRUE(FormCalls().contains(QStringLiteral("GanttForm.ChangeFont")));

  Show(QStringLiteral("ZoomForm"));  // printable: the font command stays usable
  prompter.Answer(praxel::AnswerOk);
  setupFont->trigger();
  ASSERT_EQ(prompter.Asked().size(), 2);
  EXPECT_EQ(prompter.Asked().at(1).text, QStringLiteral("The font function is not supported for Zoom."));
  EXPECT_EQ(prompter.Asked().at(1).title, QStringLiteral("Font Not Supported"));
  EXPECT_EQ(prompter.Asked().at(1).style, praxel::MsgExclamation);
}

// File > Save writes a project file by its kind and puts it at the top of the recent files; a
// binary Microsoft Project file is refused with the advice to use XML, another kind by name. The
// save dialog starts next time in the chosen folder, proposing the chosen file.
struct SaveCase {
  const char* file;
  const char* message;  // nullptr: written
};
void PrintTo(const SaveCase& save, std::ostream* out) { *out << save.file; }

class SaveCommand : public ShellTest, public testing::WithParamInterface<SaveCase> {};

TEST_P(SaveCommand, SavesByKind) {
  StartProgram();
  Yproject* plan = AddProject(QStringLiteral("Office move"));
  Common::SetThisProject(plan);
  plan->SetDirty(true);
  Common::BroadcastNewThisProject();
  const QString path = testsupport::DataFolderPath(QString::fromLatin1(GetParam().file));
  dialogs.SaveAnswer(path);
  if (GetParam().message != nullptr) prompter.Answer(praxel::AnswerOk);

  mainForm->Control(QStringLiteral("FileSaveMenu"))->trigger();

  EXPECT_EQ(mainForm->CurrentFile(), path);
  EXPECT_EQ(mainForm->StartDir(), testsupport::ProgramDataFolder() + QLatin1Char('/'));
  if (GetParam().message == nullptr) {
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(plan->Dirty());
    EXPECT_EQ(mainForm->Control(QStringLiteral("FileRecentMenu1"))->text(), QStringLiteral("&1 ") + path);
  } else {
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(plan->Dirty());
    EXPECT_EQ(prompter.Asked().at(0).title, QString::fromLatin1(GetParam().message));
    EXPECT_FALSE(mainForm->Control(QStringLiteral("FileRecentMenu1"))->isVisible());
  }
  dialogs.SaveAnswer(QString());
  mainForm->Control(QStringLiteral("FileSaveMenu"))->trigger();
  EXPECT_EQ(dialogs.Asked().last().request.fileName, path);
  EXPECT_EQ(dialogs.Asked().last().request.initialFolder, testsupport::ProgramDataFolder() + QLatin1Char('/'));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SaveCommand,
                         testing::Values(SaveCase{"office.pxb", nullptr}, SaveCase{"office.PXA", nullptr},
                                         SaveCase{"office.mpp", "Microsoft Project XML Needed"},
                                         SaveCase{"office.txt", "File Type Not Recognized"}),
                         [](const testing::TestParamInfo<SaveCase>& info) {
                           return testsupport::TestName(info.param.file);
                         });

}  // namespace
