#include "StatusPanels.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QResizeEvent>

namespace {

// Widths before the first layout.
constexpr int kDesignWidth = 140;

QLabel* MakePanel(QWidget* parent, const QString& toolTip) {
  auto* panel = new QLabel(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setToolTip(toolTip);
  panel->setTextFormat(Qt::PlainText);
  return panel;
}

}  // namespace

StatusPanels::StatusPanels(QWidget* parent)
    : QWidget(parent),
      solvePanel_(MakePanel(this, QStringLiteral("solve progress"))),
      busyPanel_(MakePanel(this, QStringLiteral("status message"))) {
  const char* const names[] = {"ProjectCombo", "TemplateCombo", "JournalCombo"};
  const char* const tips[] = {"active project", "active template", "active journal"};
  for (int i = 0; i < 3; ++i) {
    combos_[i] = new QComboBox(this);
    combos_[i]->setObjectName(QString::fromLatin1(names[i]));
    combos_[i]->setToolTip(QString::fromLatin1(tips[i]));
  }
  solvePanel_->setObjectName(QStringLiteral("SolvePanel"));
  busyPanel_->setObjectName(QStringLiteral("BusyPanel"));
  solvePanel_->installEventFilter(this);
  busyPanel_->installEventFilter(this);
  widths_.fill(kDesignWidth);
  widths_[4] = 2 * kDesignWidth;
  PlacePanels();
}

void StatusPanels::Arrange(int clientWidth) {
  for (int i = 0; i < 4; ++i) widths_[i] = clientWidth / 6;
  widths_[4] = clientWidth / 3;
  PlacePanels();
  updateGeometry();
}

QRect StatusPanels::PanelRect(int panel) const {
  int left = 0;
  for (int i = 0; i < panel - 1; ++i) left += widths_[i];
  return QRect(left, 0, widths_[panel - 1], height());
}

QSize StatusPanels::sizeHint() const {
  int width = 0;
  for (const int panel : widths_) width += panel;
  return QSize(width, combos_[0]->sizeHint().height());
}

void StatusPanels::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlacePanels();
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == solvePanel_) emit PanelClicked(4);
    if (watched == busyPanel_) emit PanelClicked(5);
  }
  return QWidget::eventFilter(watched, event);
}

void StatusPanels::PlacePanels() {
  for (int i = 0; i < 3; ++i) combos_[i]->setGeometry(PanelRect(i + 1));
  solvePanel_->setGeometry(PanelRect(4));
  busyPanel_->setGeometry(PanelRect(5));
}
