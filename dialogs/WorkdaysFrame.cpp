#include "WorkdaysFrame.h"

#include "Format.h"

#include <QCheckBox>
#include <QGridLayout>

WorkdaysFrame::WorkdaysFrame(QWidget* parent) : QGroupBox(QStringLiteral("Workdays"), parent) {
  struct Place {
    int kind;
    int row;
    int column;
  };
  // In tab order: Monday to Friday, Saturday, Sunday, Holiday, Shutdown.
  constexpr std::array<Place, kDayKinds> kPlaces{
      {{2, 0, 0}, {3, 1, 0}, {4, 2, 0}, {5, 3, 0}, {6, 4, 0}, {7, 0, 1}, {1, 1, 1}, {0, 3, 1}, {8, 4, 1}}};
  auto* days = new QGridLayout(this);
  for (const Place& place : kPlaces) {
    auto* check = new QCheckBox(Common::DayName(place.kind), this);
    check->setObjectName(QStringLiteral("WorkDayCheck") + QString::number(place.kind));
    days->addWidget(check, place.row, place.column);
    checks_[place.kind] = check;
  }
  days->setRowMinimumHeight(2, checks_[0]->sizeHint().height());
}
