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
#include <QResizeEvent>
#include <QVBoxLayout>

GanttForm::GanttForm(QWidget* parent)
    : ChartView({QStringLiteral("GanttChart"), QStringLiteral("GraphicsGanttMenu"), 20,
                 RestartsOnNewSolution | ClosesOnNewProject, QStringLiteral("GANTT chart")},
                parent),
      optionsFrame_(new QGroupBox(QStringLiteral("Gantt chart options"), this)) {
  setObjectName(QStringLiteral("GanttForm"));
  setWindowTitle(QStringLiteral("Gantt Chart"));
  optionsFrame_->setObjectName(QStringLiteral("OptionsFrame"));
  auto* preferences = new QPushButton(QStringLiteral("Preferences"), optionsFrame_);
  preferences->setObjectName(QStringLiteral("PreferencesCommand"));
  auto* layout = new QVBoxLayout(optionsFrame_);
  layout->addWidget(preferences);
  optionsFrame_->adjustSize();
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

void GanttForm::resizeEvent(QResizeEvent* event) {
  ChartView::resizeEvent(event);
  // The options stand in the top left corner, over the blank cell above the task headings.
  optionsFrame_->move(0, 0);
  optionsFrame_->raise();
}
