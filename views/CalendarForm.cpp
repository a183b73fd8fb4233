#include "CalendarForm.h"

#include "Color.h"
#include "CommonDialogService.h"
#include "Common.h"
#include "FormHelpers.h"
#include "FormHost.h"
#include "Guard.h"
#include "OleDate.h"
#include "ResourceCalendar.h"
#include "Yresource.h"
#include "Yslot.h"
#include "Ytemplate.h"

#include <QDate>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMetaObject>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

struct KindEntry {
  const char* label;
  int color;
};

// The legend, index 1 to 9; 3 to 9 are the kinds of time of booked slots.
const KindEntry kKinds[] = {{"Weekday", 0xFFFFFF}, {"Weekend", 0xE0E0E0}, {"Normal", 0xC0FFC0},
                          {"Off day", 0xFFFF00}, {"Overtime", 0xC0C000}, {"Holiday", 0x00FFFF},
                          {"Shutdown", 0xC0E0FF}, {"Unavailable", 0xFFC0FF}, {"Overload", 0x8080FF}};
constexpr int kOverload = 9;
constexpr int kOutsideMonth = 0x808080;
constexpr int kRows = 7;
constexpr int kCols = 7;
const char* const kWeekLetters = "SMTWTFS";

QColor Color(int value) { return praxel::ColorFromLong(value); }

// The strongest kind of time booked in a day's chain of slots, from the kind so far.
int UpdateKeyType(int kind, const Yslot* slot) {
  for (; slot != nullptr && kind < kOverload; slot = slot->NextSlot) {
    if (slot->TaskRequired() != nullptr && slot->SlotType > kind) kind = slot->SlotType;
  }
  return kind;
}

}  // namespace

CalendarForm::CalendarForm(QWidget* parent) : QWidget(parent), content_(new QWidget) {
  setProperty("HelpKey", QStringLiteral("Calendar"));
  setObjectName(QStringLiteral("CalendarForm"));
  // The year scrolls when the window is smaller than its twelve months.
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(content_);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
  yearLabel_ = new QLabel(QStringLiteral("2xxx"), content_);
  yearLabel_->setObjectName(QStringLiteral("YearLabel"));
  QFont bold = yearLabel_->font();
  bold.setBold(true);
  yearLabel_->setFont(bold);
  prevYear_ = new QPushButton(QStringLiteral("Prev"), content_);
  prevYear_->setObjectName(QStringLiteral("PrevYearCommand"));
  nextYear_ = new QPushButton(QStringLiteral("Next"), content_);
  nextYear_->setObjectName(QStringLiteral("NextYearCommand"));
  connect(prevYear_, &QPushButton::clicked, this, [this] {
    ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Calendar:PrevYearCommand_Click")), [&] { SetYear(year_ - 1); });
  });
  connect(nextYear_, &QPushButton::clicked, this, [this] {
    ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Calendar:NextYearCommand_Click")), [&] { SetYear(year_ + 1); });
  });
  auto* key = new QGroupBox(QStringLiteral("Day properties"), content_);
  key->setObjectName(QStringLiteral("KeyFrame"));
  keyFrame_ = key;
  auto* keyLayout = new QVBoxLayout(key);
  int index = 0;
  for (const KindEntry& kind : kKinds) {
    ++index;
    auto* entry = new QWidget(key);
    auto* row = new QHBoxLayout(entry);
    row->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel(entry);
    picture->setObjectName(QStringLiteral("KeyPicture%1").arg(index));
    picture->setFixedSize(14, 14);
    picture->setAutoFillBackground(true);
    QPalette palette = picture->palette();
    palette.setColor(QPalette::Window, Color(kind.color));
    picture->setPalette(palette);
    picture->setFrameShape(QFrame::Box);
    auto* label = new QLabel(QString::fromLatin1(kind.label), entry);
    label->setObjectName(QStringLiteral("KeyLabel%1").arg(index));
    row->addWidget(picture);
    row->addWidget(label, 1);
    keyLayout->addWidget(entry);
  }
  for (int month = 1; month <= 12; ++month) {
    auto* grid = new QTableWidget(kRows, kCols, content_);
    grid->setObjectName(QStringLiteral("MonthGrid%1").arg(month));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(grid, &QTableWidget::cellPressed, this, [this, month](int row, int col) {
      ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Calendar:MonthGrid_MouseDown")),
                       [&] { ClickOnMonthGrid(month, row, col); });
    });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this] {
      ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Calendar:MonthGrid_DblClick")), [&] { ZoomInOnDay(); });
    });
    months_.append(grid);
    auto* label = new QLabel(QLocale().standaloneMonthName(month), content_);
    label->setObjectName(QStringLiteral("MonthLabel%1").arg(month));
    label->setAlignment(Qt::AlignCenter);
    monthLabels_.append(label);
  }
}

int CalendarForm::KindColor(int kind) { return kind >= 1 && kind <= 9 ? kKinds[kind - 1].color : kOutsideMonth; }

int CalendarForm::DayKind(double day) {
  if (day == 0) return 0;
  int kind = 1;
  const int weekday = praxel::FromOleDate(day).date().dayOfWeek();
  if (weekday == Qt::Saturday || weekday == Qt::Sunday) kind = 2;
  for (const Ytemplate* templ : Common::Templates()) {
    for (const Yresource* resource : templ->ResourceList) {
      if (resource->Include()) kind = UpdateKeyType(kind, Solve::FindSlot(*resource, day));
    }
  }
  return kind;
}

void CalendarForm::Start() {
  ErrTrap::Guard guard(QStringLiteral("Calendar:Start"));
  // Without an active template there is nothing to name the calendar by: it closes.
  if (Common::ThisTemplate() == nullptr) {
    guard([&] { Forms::Unload(this); });
    return;
  }
  guard([&] { Common::SetFormFont(this); });
  guard([&] { setWindowTitle(QStringLiteral("Calendar for template ") + Common::ThisTemplate()->TemplateName()); });
  guard([&] { PrepareCalendar(); });
  guard([&] {
    if (year_ == 0) year_ = QDate::currentDate().year();
    SetYear(year_);
  });
  guard([&] {
    if (FormHost* host = Forms::Host()) host->ShowForm(this);
  });
}

void CalendarForm::PrepareCalendar() {
  const QFontMetrics metrics(font());
  const int margin = 8;
  yearLabel_->move(margin, margin);
  yearLabel_->adjustSize();
  prevYear_->adjustSize();
  nextYear_->adjustSize();
  const int buttonTop = yearLabel_->geometry().bottom() + margin;
  prevYear_->move(margin, buttonTop);
  nextYear_->move(prevYear_->geometry().right() + margin, buttonTop);
  keyFrame_->adjustSize();
  keyFrame_->move(margin, prevYear_->geometry().bottom() + margin);
  const int rowHeight = metrics.height() + 2;
  const int colWidth = metrics.horizontalAdvance(QStringLiteral(" 33")) + 8;
  const int left = 2 * margin + std::max(keyFrame_->width(), nextYear_->geometry().right());
  for (int i = 0; i < 12; ++i) {
    QTableWidget* grid = months_.at(i);
    const int row = i / 4;
    const int col = i % 4;
    for (int r = 0; r < kRows; ++r) grid->setRowHeight(r, rowHeight);
    for (int c = 0; c < kCols; ++c) grid->setColumnWidth(c, colWidth);
    const int gridWidth = grid->horizontalHeader()->length() + 2 * grid->frameWidth();
    const int gridHeight = grid->verticalHeader()->length() + 2 * grid->frameWidth();
    const int top = row * (gridHeight + rowHeight + margin) + rowHeight + margin;
    grid->setGeometry(left + col * (gridWidth + margin), top, gridWidth, gridHeight);
    monthLabels_.at(i)->setGeometry(grid->x(), top - rowHeight, gridWidth, rowHeight);
    for (int c = 0; c < kCols; ++c) {
      auto* heading = new QTableWidgetItem(QString(QLatin1Char(kWeekLetters[c])));
      heading->setTextAlignment(Qt::AlignCenter);
      heading->setBackground(palette().button());
      heading->setFlags(Qt::ItemIsEnabled);
      grid->setItem(0, c, heading);
    }
  }
  const QRect last = months_.last()->geometry();
  content_->resize(last.right() + margin, std::max(last.bottom(), keyFrame_->geometry().bottom()) + margin);
}

void CalendarForm::SetYear(int year) {
  year_ = year;
  yearLabel_->setText(QString::number(year));
  yearLabel_->adjustSize();
  prevYear_->setText(QString::number(year - 1));
  nextYear_->setText(QString::number(year + 1));
  BuildCalendar();
}

void CalendarForm::BuildCalendar() {
  for (int month = 1; month <= 12; ++month) {
    QTableWidget* grid = months_.at(month - 1);
    grid->setUpdatesEnabled(false);
    grid->setToolTip(QStringLiteral("Double-click on a day for more detailed information"));
    const QDate first(year_, month, 1);
    const int lead = first.dayOfWeek() % 7;  // Sunday first
    const int days = first.daysInMonth();
    for (int position = 0; position < (kRows - 1) * kCols; ++position) {
      const int dayNumber = position - lead + 1;
      auto* cell = new QTableWidgetItem;
      cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (dayNumber >= 1 && dayNumber <= days) {
        cell->setText(QString::number(dayNumber));
        cell->setBackground(Color(KindColor(DayKind(praxel::ToOleDate(QDate(year_, month, dayNumber))))));
      } else {
        cell->setBackground(Color(kOutsideMonth));
      }
      grid->setItem(1 + position / kCols, position % kCols, cell);
    }
    grid->setUpdatesEnabled(true);
  }
  selectedDay_ = 0;
}

void CalendarForm::ClickOnMonthGrid(int month, int row, int col) {
  const QTableWidgetItem* cell = months_.at(month - 1)->item(row, col);
  const int dayNumber = cell != nullptr ? cell->text().toInt() : 0;
  selectedDay_ = dayNumber == 0 ? 0 : praxel::ToOleDate(QDate(year_, month, dayNumber));
}

void CalendarForm::ZoomInOnDay() {
  if (selectedDay_ == 0) return;
  QWidget* zoom = Forms::Load(QStringLiteral("ZoomForm"));
  if (zoom == nullptr) {
    Common::NotReadyYet();
    return;
  }
  QMetaObject::invokeMethod(zoom, "Start", Qt::DirectConnection, Q_ARG(double, selectedDay_));
}

void CalendarForm::ChangeFont() {
  ErrTrap::Guarded(QStringLiteral("Calendar:ChangeFont"), [&] {
    if (Help::ShowFont(this)) Start();
  });
}
