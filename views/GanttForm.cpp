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
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

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
  // The caption fits the control's narrow left margin in a slightly smaller face.
  QFont small = optionsFrame_->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  optionsFrame_->setFont(small);
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
  PlaceOptions();
}

void GanttForm::showEvent(QShowEvent* event) {
  ChartView::showEvent(event);
  PlaceOptions();
}

void GanttForm::PlaceOptions() {
  // The options stand in the control's left margin, under its scaling panel, as wide as their
  // caption where the margin has room for it.
  const auto* earliest = Chart()->findChild<QWidget*>(QStringLiteral("EarliestText"));
  const QWidget* panel = earliest != nullptr ? earliest->parentWidget() : nullptr;
  if (panel == nullptr || !panel->isVisible()) {
    optionsFrame_->hide();
    return;
  }
  const QRect area(panel->mapTo(this, QPoint(0, 0)), panel->size());
  int width = std::max(area.width(), optionsFrame_->sizeHint().width());
  if (const auto* grid = Chart()->findChild<QWidget*>(QStringLiteral("Grid"))) {
    width = std::min(width, grid->mapTo(this, QPoint(0, 0)).x() - area.left() - 2);
  }
  optionsFrame_->setGeometry(area.left(), area.bottom() + area.left() + 1, std::max(width, area.width()),
                             optionsFrame_->sizeHint().height());
  optionsFrame_->show();
  optionsFrame_->raise();
}
