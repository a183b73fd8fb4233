#include "ZoomList.h"

#include "OleDate.h"
#include "ResourceCalendar.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yslot.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace Common {

namespace {

constexpr int kAlignLeft = 1;
constexpr int kAlignRight = 7;
constexpr int kSlotColumns = 5;

}  // namespace

void StartZoomYwindow(YwindowControl* Chart, bool ResourceColumns) {
  Chart->Reset();
  if (ResourceColumns) {
    Chart->AddColumn(QStringLiteral("Template"), kAlignLeft);
    Chart->AddColumn(QStringLiteral("Resource"), kAlignLeft);
  }
  Chart->AddColumn(QStringLiteral("From"), kAlignRight);
  Chart->AddColumn(QStringLiteral("Until"), kAlignRight);
  Chart->AddColumn(QStringLiteral("Project"), kAlignLeft);
  Chart->AddColumn(QStringLiteral("Task"), kAlignLeft);
  Chart->AddColumn(QStringLiteral("Rate"), kAlignLeft);
  Chart->FixTop();
}

void FillInZoomYwindow(YwindowControl* Chart, bool ResourceColumns, Yresource* Resource, double Day) {
  const Solve::ResourceCalendar* calendar = Solve::FindCalendar(*Resource);
  if (calendar == nullptr) return;
  const double day = std::floor(Day);
  for (const Yslot* slot = calendar->FindSlot(day); slot != nullptr; slot = slot->NextSlot) {
    const Ytask* task = slot->TaskRequired();
    if (task == nullptr) continue;
    Chart->AddRow();
    const int row = Chart->Rows() - 1;
    int col = 0;
    if (ResourceColumns) {
      Chart->CellText(row, col++, Resource->Template() != nullptr ? Resource->Template()->TemplateName() : QString());
      Chart->CellText(row, col++, Resource->BuildNodeText());
    }
    const int first = col;
    Chart->CellText(row, col++, LongTimeOfDay(slot->StartTime - day));
    Chart->CellText(row, col++, LongTimeOfDay(slot->EndTime - day));
    Chart->CellText(row, col++, task->Project() != nullptr ? task->Project()->BuildNodeText() : QString());
    Chart->CellText(row, col++, task->BuildNodeText());
    Chart->CellText(row, col, SlotTypeText(slot->SlotType));
    for (int c = first; c < first + kSlotColumns; ++c) Chart->CellBackColor(row, c, SlotTypeColor(slot->SlotType));
  }
}

QString LongTimeOfDay(double time) {
  // The long format without the time zone it may carry: only the time of day is shown, so the
  // end of a day reads as midnight.
  static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
  QString format = QLocale().timeFormat(QLocale::LongFormat);
  format.replace(zone, QStringLiteral(" "));
  const qint64 seconds = std::llround((time - std::floor(time)) * 86400.0) % 86400;
  return QLocale().toString(QTime(0, 0).addSecs(static_cast<int>(seconds)), format.trimmed());
}

QString SlotTypeText(int slotType) {
  switch (slotType) {
    case Yslot::Normal: return QStringLiteral("Normal");
    case Yslot::OffDay: return QStringLiteral("OffDay");
    case Yslot::Overtime: return QStringLiteral("Overtime");
    case Yslot::Holiday: return QStringLiteral("Holiday");
    case Yslot::Overload: return QStringLiteral("Overload");
    default: return QString();
  }
}

int SlotTypeColor(int slotType) {
  switch (slotType) {
    case Yslot::Normal: return 0xC0FFC0;
    case Yslot::OffDay: return 0xFFFF00;
    case Yslot::Overtime: return 0xC0C000;
    case Yslot::Holiday: return 0x00FFFF;
    case Yslot::Overload: return 0x8080FF;
    default: return 0xFFFFFF;
  }
}

}  // namespace Common
