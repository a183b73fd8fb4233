#include "HistogramForm.h"

#include "Common.h"
#include "Format.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "Prompter.h"
#include "ResourceCalendar.h"
#include "Rounding.h"
#include "ScaleSteps.h"
#include "Yresource.h"
#include "Yslot.h"
#include "Ytemplate.h"
#include "YwindowControl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 kTenthsPerHour = 10;
constexpr int kMinutesPerDay = 1440;

// The hours of a scale label: "###0.0".
QString ScaleLabel(double hours) { return QString::number(hours, 'f', 1); }

}  // namespace

HistogramForm::HistogramForm(QWidget* parent)
    : ChartView({QStringLiteral("Histogram"), QStringLiteral("GraphicsHistogramMenu"), 20, ClosesOnNewTemplate,
                 QStringLiteral("histogram")},
                parent) {
  setObjectName(QStringLiteral("HistogramForm"));
  setWindowTitle(QStringLiteral("Histogram"));
  setProperty("HelpKey", QStringLiteral("Histogram"));
  auto* options = new QGroupBox(QStringLiteral("Histogram options"), this);
  options->setObjectName(QStringLiteral("OptionsFrame"));
  byDepartment_ = new QCheckBox(QStringLiteral("Group by department"), options);
  byDepartment_->setObjectName(QStringLiteral("ByDepartmentCheck"));
  crosshatching_ = new QCheckBox(QStringLiteral("Use crosshatching"), options);
  crosshatching_->setObjectName(QStringLiteral("UseCrosshatchingCheck"));
  crosshatching_->setChecked(true);
  auto* filter = new QPushButton(QStringLiteral("Filter"), options);
  filter->setObjectName(QStringLiteral("FilterCommand"));
  auto* layout = new QVBoxLayout(options);
  layout->addWidget(byDepartment_);
  layout->addWidget(crosshatching_);
  layout->addWidget(filter);
  SetOptionsFrame(options);
  // Either option lays the histogram out again.
  for (QCheckBox* option : {byDepartment_, crosshatching_}) {
    connect(option, &QCheckBox::clicked, this, [this, option] {
      ErrTrap::Guarded(ErrTrap::Handler(Location(option == byDepartment_ ? "ByDepartmentCheck_Click"
                                                                          : "UseCrosshatchingCheck_Click")),
                       [&] { Start(); });
    });
  }
  connect(filter, &QPushButton::clicked, this,
          [this] { ErrTrap::Guarded(ErrTrap::Handler(Location("FilterCommand_Click")), [] { Common::NotReadyYet(); }); });
}

bool HistogramForm::StartAllowed() { return Common::ThisTemplateSet(); }

QString HistogramForm::Caption() const {
  return QStringLiteral("Histogram for template ") + Common::ThisTemplate()->BuildNodeText();
}

void HistogramForm::RequestLayout() {
  double start = 0;
  double finish = 0;
  Common::GetDateRange(start, finish, false);
  Chart()->SetDateRange(start, finish);
}

void HistogramForm::RedoLayout() {
  ShowBuilding();
  YwindowControl* chart = Chart();
  chart->Reset();
  chart->AddColumn(QStringLiteral("Hours"), 8);
  chart->AddDateGrid();
  // The sums wait for the date columns the control is about to choose.
  built_ = false;
  bands_.clear();
  chart->LayoutComplete(1, 0);
}

void HistogramForm::RedoGraphics() {
  if (!built_) {
    BuildSumGrid();
    return;
  }
  if (bands_.isEmpty()) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("There are no resources to display."), praxel::MsgExclamation,
                                     QStringLiteral("Empty Histogram"));
    ClearStatus();
    return;
  }
  DrawBars();
}

void HistogramForm::BuildSumGrid() {
  YwindowControl* chart = Chart();
  built_ = true;
  bands_.clear();
  bandOfKey_.clear();
  double earliest = 0;
  double latest = 0;
  chart->GetDateRange(earliest, latest);
  // The right edge of each chart column: a day's column is found by halving.
  QList<int> columnRights;
  for (int col = 0; col < chart->Cols(); ++col) columnRights.append(chart->ColPos(col + 1));
  if (Ytemplate* templ = Common::ThisTemplate()) {
    for (Yresource* resource : templ->ResourceList) {
      if (resource->Include()) UpdateSumGrid(*resource, earliest, latest, columnRights);
    }
  }
  maxTotalHours_ = 0;
  for (int col = 1; col < chart->Cols(); ++col) {
    qint64 total = 0;
    for (const Band& band : bands_) total += band.tenths.value(col);
    maxTotalHours_ = std::max(maxTotalHours_, static_cast<double>(total) / kTenthsPerHour);
  }
  hourIncrement_ = Views::OneTwoFiveStep(maxTotalHours_);
  const double top = std::ceil(maxTotalHours_ / hourIncrement_) * hourIncrement_;
  for (double hours = top; hours >= 0; hours -= hourIncrement_) {
    chart->AddRow();
    chart->CellText(chart->Rows() - 1, 0, ScaleLabel(hours));
  }
  LayOutKey();
  // The key's lines: its last entry stands 1.25 lines per entry below two lines of space and is
  // one line high, so the row holds 1.25 lines per entry and two more.
  chart->LayoutComplete(1, praxel::ToLong(1.25 * (keyEntriesPerColumn_ + 1) + 1));
}

void HistogramForm::UpdateSumGrid(Yresource& resource, double earliest, double latest,
                                  const QList<int>& columnRights) {
  const Solve::ResourceCalendar* calendar = Solve::FindCalendar(resource);
  if (calendar == nullptr || calendar->IsEmpty()) return;
  const int first = std::max(static_cast<int>(std::floor(earliest)), calendar->LowerBound());
  const int last = std::min(static_cast<int>(std::floor(latest)), calendar->UpperBound());
  const QString key = byDepartment_->isChecked() ? resource.Department()
                                                 : QStringLiteral("O%1").arg(resource.Identity());
  for (int day = first; day <= last; ++day) {
    const Yslot* slot = calendar->FindSlot(day);
    if (slot == nullptr) continue;
    // The column whose span holds the day's noon.
    const int x = Chart()->DateToX(day + 0.5);
    const auto right = std::lower_bound(columnRights.begin() + 1, columnRights.end(), x);
    if (right == columnRights.end()) continue;
    const int col = static_cast<int>(right - columnRights.begin());
    for (; slot != nullptr; slot = slot->NextSlot) {
      if (slot->TaskRequired() == nullptr) continue;
      if (!bandOfKey_.contains(key)) {
        bandOfKey_.insert(key, static_cast<int>(bands_.size()));
        bands_.append({byDepartment_->isChecked() ? resource.Department() : resource.Description,
                       QList<qint64>(columnRights.size(), 0)});
      }
      bands_[bandOfKey_.value(key)].tenths[col] += SlotTenths(slot->StartTime, slot->EndTime);
    }
  }
}

void HistogramForm::LayOutKey() {
  // Entries go into columns of so many entries each, the fewest per column that keep the key
  // within the chart's width; one column of every entry when even that is wider.
  const int chartRight = Chart()->ColPos(Chart()->Cols());
  const int entries = static_cast<int>(bands_.size());
  for (keyEntriesPerColumn_ = 1;; ++keyEntriesPerColumn_) {
    double x = TextWidth(QStringLiteral("X"));
    keyColumnLeft_ = {praxel::ToLong(x)};
    double right = x;
    for (int band = 1; band <= entries; ++band) {
      right = std::max(right, x + TextWidth(QStringLiteral("XX = ") + bands_.at(band - 1).name));
      if (band % keyEntriesPerColumn_ == 0 && band != entries) {
        x = right + TextWidth(QStringLiteral("XX"));
        keyColumnLeft_.append(praxel::ToLong(x));
      }
    }
    if (right < chartRight || keyEntriesPerColumn_ >= entries) break;
  }
}

void HistogramForm::DrawBars() {
  YwindowControl* chart = Chart();
  const int base = chart->RowPos(chart->Rows() - 1);
  const double step = base - chart->RowPos(chart->Rows() - 2);
  const bool hatched = crosshatching_->isChecked();
  for (int col = 1; col < chart->Cols(); ++col) {
    int y = base;
    for (int band = 1; band <= bands_.size(); ++band) {
      const qint64 tenths = bands_.at(band - 1).tenths.value(col);
      if (tenths == 0) continue;
      const int top = praxel::ToLong(y - (static_cast<double>(tenths) / kTenthsPerHour / hourIncrement_) * step);
      chart->Box(chart->ColPos(col), top, chart->ColPos(col + 1), y, 0, BandColor(band), BandPattern(band, hatched));
      y = top;
    }
  }
  const double h = TextHeight(QStringLiteral("X"));
  for (int band = 1; band <= bands_.size(); ++band) {
    const int column = (band - 1) / keyEntriesPerColumn_;
    const int line = (band - 1) % keyEntriesPerColumn_;
    const int x1 = keyColumnLeft_.value(column);
    const int x2 = praxel::ToLong(x1 + h);
    const int y1 = praxel::ToLong(base + h * 1.25 * (line + 2));
    const int y2 = praxel::ToLong(y1 + h);
    chart->Box(x1, y1, x2, y2, 0, BandColor(band), BandPattern(band, hatched));
    chart->DrawText(x2 + (x2 - x1) / 2, y1, bands_.at(band - 1).name);
  }
  if (const Ytemplate* templ = Common::ThisTemplate()) chart->AddTodayLine(templ->Journal(), 0);
  chart->Refresh();
  ClearStatus();
}

qint64 HistogramForm::SlotTenths(double startTime, double endTime) {
  const qint64 minutes = std::llround((endTime - startTime) * kMinutesPerDay);
  return minutes * kTenthsPerHour / 60;
}

int HistogramForm::BandColor(int band) {
  const int red = (band & 1) * 80 + 160;
  const int green = (band & 2) * 40 + 160;
  const int blue = (band & 4) * 20 + 160;
  return red | (green << 8) | (blue << 16);
}

int HistogramForm::BandPattern(int band, bool crosshatching) { return crosshatching ? band % 7 + 1 : 0; }
