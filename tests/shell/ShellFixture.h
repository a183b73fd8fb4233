#pragma once

#include "ScriptedCommonDialogs.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class FormHost;
class MainForm;
class QLabel;
class QWidget;
class Yproject;
class Ytemplate;

// Monday 1 January 2024 and the days after it, as day numbers.
double Day(int offset);

// A left click on a panel of the status bar.
void ClickPanel(QLabel* panel);

// A clean program: no model, no settings file, the solver idle and installed, scripted questions
// and dialogs. StartProgram makes the real main window offscreen and lets its first activation
// and its first size check run.
class ShellTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes and shows the main window; the welcome screen that its first activation opens is
  // closed with Ok unless keepWelcome, and the first size check lays the status bar out.
  MainForm& StartProgram(bool keepWelcome = false);
  // Lets events run until the condition holds (at most two seconds); answers the condition.
  static bool RunUntil(const std::function<bool()>& condition);
  // Lets the 50 ms size poll see the client area as it is now.
  void WaitForResizePoll();
  // With PRAXEL_SCREENSHOTS set, saves the main window, with the windows it holds, there under
  // the name.
  void SaveScreenshot(const QString& name) const;

  // Registers a fake window under a real window's name, for this test only; it is made with the
  // main window as its host.
  template <class Fake, class... Args>
  void RegisterFake(const QString& name, Args... args);
  // Registers a window's maker, for this test only.
  void Register(const QString& name, std::function<QWidget*()> make);
  // Loads a registered window and shows it through the main window.
  QWidget* Show(const QString& name);

  // A template or project on journal Day(0) (and Day(7) when twoJournals), not changed.
  static Ytemplate* AddTemplate(const QString& name, bool twoJournals = false);
  static Yproject* AddProject(const QString& name, Yproject* parent = nullptr);
  // A project of one-day tasks in a chain, the first from Day(0), each staffed for 8 hours by
  // resource 1 of the template (made, with the shift "Day", when the template has none); its solve
  // rule extends instead of halting. Not changed.
  static Yproject* AddStaffedChain(const QString& name, Ytemplate* templ, const QList<int>& taskIds);
  // Asks for a solve and lets it run; True when it ended in "Solve complete".
  static bool SolveNow();
  // Makes the template and the project the active ones and tells every window.
  static void Activate(Ytemplate* templ, Yproject* project);
  // Starts the program on the template Staff and a staffed chain Plant of these tasks, both
  // active, solved; answers Plant.
  Yproject* StartWithSolvedPlant(const QList<int>& taskIds);

  testsupport::ScriptedPrompter prompter;
  testsupport::ScriptedCommonDialogs dialogs;
  std::unique_ptr<MainForm> mainForm;

 private:
  FormHost& MainHost() const;

  QStringList registered_;
};

template <class Fake, class... Args>
void ShellTest::RegisterFake(const QString& name, Args... args) {
  Register(name, [=, this] { return new Fake(MainHost(), args...); });
}
