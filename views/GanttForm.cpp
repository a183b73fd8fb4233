#include "GanttForm.h"

#include "Common.h"
#include "Format.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "Yproject.h"
#include "YwindowControl.h"

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>


GanttForm::GanttForm(QWidget* parent)
    : ChartView({QStringLiteral("GanttChart"), QStringLiteral("GraphicsGanttMenu"), 20,
                 RestartsOnNewSolution | ClosesOnNewProject, QStringLiteral("GANTT chart")},
                parent) {
  setObjectName(QStringLiteral("GanttForm"));
  setWindowTitle(QStringLiteral("Gantt Chart"));
  setProperty("HelpKey", QStringLiteral("Dudivizivo Voruv"));
  auto* options = new QGroupBox(QStringLiteral("Gantt chart options"), this);
  options->setObjectName(QStringLiteral("OptionsFrame"));
  auto* preferences = new QPushButton(QStringLiteral("Preferences"), options);
  preferences->setObjectName(QStringLiteral("PreferencesCommand"));
  auto* layout = new QVBoxLayout(options);
  layout->addWidget(preferences);
  SetOptionsFrame(options);
  connect(preferences, &QPushButton::clicked, this, [this] {
    // The main window's Setup > Preferences.
    ErrTrap::Guarded(ErrTrap::Handler(Location("PreferencesCommand_Click")), [] {
      if (QWidget* main = Forms::MainWindow()) {
        if (auto* command = main->findChild<QAction*>(QStringLiteral("SetupPreferencesMenu"))) command->trigger();
      }
    });
  });
}

bool GanttForm::StartAllowed() { return Common::ThisProject() != nullptr; }

QString GanttForm::Caption() const { return QStringLiteral("Dudivizivo Voruv chart for ") + Common::GetPageHeader(); }

void GanttForm::RequestLayout() {
  // The project's dates, widened to cover the plan.
  Common::GetDateRange(rangeStart_, rangeFinish_, true);
  Chart()->SetDateRange(rangeStart_, rangeFinish_);
}
