#include "ShiftEntryForm.h"

#include "Check.h"
#include "Color.h"
#include "Common.h"
#include "EntryValues.h"
#include "Format.h"
#include "Forms.h"
#include "Guard.h"
#include "Pool.h"
#include "TreeDragDrop.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {

// The four codes in the order of their buttons, with their captions and colours (&HBBGGRR).
struct Code {
  const char* letter;
  const char* caption;
  std::int32_t colour;
};
constexpr std::array<Code, 4> kCodes{{{"N", "N = Normal", 0xC0FFC0},
                                      {"O", "O = Overtime", 0xC0C000},
                                      {"B", "B = Break", 0xC0C0FF},
                                      {"X", "X = Overload", 0x8080FF}}};

// A code no button writes (from a file made elsewhere), and an empty cell, on light grey: white
// is for picked cells only.
constexpr std::int32_t kOtherCodeColour = 0xE0E0E0;
constexpr std::int32_t kPickedColour = 0xFFFFFF;

// The pixels a cell takes beyond its text.
constexpr int kCellPadding = 8;

QColor CodeColour(const QString& code) {
  for (const Code& known : kCodes) {
    if (code == QLatin1String(known.letter)) return praxel::ColorFromLong(known.colour);
  }
  return praxel::ColorFromLong(kOtherCodeColour);
}

// A button in a colour of its own; disabled, its caption stays readable on it.
QString BackgroundStyle(const QColor& colour) {
  return QStringLiteral("QPushButton { background-color: %1; } QPushButton:disabled { color: #606060; }")
      .arg(colour.name());
}

// A single-precision multiplier as the number it was typed as: 1.5, 2.
QString MultiplierText(float multiplier) { return QLocale().toString(double(multiplier), 'g', 7); }

}  // namespace

ShiftEntryForm::ShiftEntryForm(QWidget* parent)
    : EntryForm(QStringLiteral("Shift Entry"), QStringLiteral("ShiftEntryForm"), parent),
      shiftNameText_(NewTextBox(QStringLiteral("ShiftNameText"), false)),
      burdenedMultiplierText_(NewTextBox(QStringLiteral("BurdenedMultiplierText"), false)),
      overtimeMultiplierText_(NewTextBox(QStringLiteral("OvertimeMultiplierText"), false)),
      offDayMultiplierText_(NewTextBox(QStringLiteral("OffDayMultiplierText"), false)),
      holidayMultiplierText_(NewTextBox(QStringLiteral("HolidayMultiplierText"), false)) {
  auto* boxes = new QGridLayout;
  int row = 0;
  const auto addRow = [&](const QString& label, QLineEdit* box) {
    auto* caption = new QLabel(label, this);
    caption->setBuddy(box);
    boxes->addWidget(caption, row, 0);
    boxes->addWidget(box, row, 1);
    ++row;
  };
  addRow(QStringLiteral("Shift name"), shiftNameText_);
  addRow(QStringLiteral("Burdened multiplier"), burdenedMultiplierText_);
  addRow(QStringLiteral("Overtime multiplier"), overtimeMultiplierText_);
  addRow(QStringLiteral("Off day multiplier"), offDayMultiplierText_);
  addRow(QStringLiteral("Holiday multiplier"), holidayMultiplierText_);

  // "N = Normal" and "B = Break" side by side, then "O = Overtime" and "X = Overload".
  auto* codes = new QGridLayout;
  constexpr std::array<std::array<int, 2>, 4> kPlaces{{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
  for (int index = 0; index < int(kCodes.size()); ++index) {
    auto* button = new QPushButton(QString::fromLatin1(kCodes[index].caption), this);
    button->setObjectName(QStringLiteral("GroupCommand%1").arg(index));
    button->setAutoDefault(false);
    button->setStyleSheet(BackgroundStyle(praxel::ColorFromLong(kCodes[index].colour)));
    button->setEnabled(false);
    connect(button, &QPushButton::clicked, this, [this, index] { GroupCommand_Click(index); });
    codes->addWidget(button, kPlaces[index][0], kPlaces[index][1]);
    groupCommand_[index] = button;
  }

  auto* buttons = new QHBoxLayout;
  auto* panel = new QVBoxLayout;
  panel->addLayout(boxes);
  panel->addSpacing(8);
  panel->addLayout(codes);
  panel->addStretch(1);
  panel->addLayout(buttons);

  grid_ = new QTableWidget(this);
  grid_->setObjectName(QStringLiteral("Grid"));
  BuildGrid();
  auto* fields = new QHBoxLayout;
  fields->addLayout(panel);
  fields->addSpacing(8);
  fields->addWidget(grid_, 0, Qt::AlignTop);
  SetFields(fields, buttons);
  ShowSelectionPending(false);
}

void ShiftEntryForm::BuildGrid() {
  ErrTrap::Guarded(Location(QStringLiteral("BuildGrid")), [&] {
    // The grid's own small font, which its cells are measured in.
    QFont small(QStringLiteral("Small Fonts"));
    small.setStyleHint(QFont::SansSerif);
    small.setPixelSize(10);
    grid_->setFont(small);
    const QFontMetrics metrics(small);

    grid_->setRowCount(kRows);
    grid_->setColumnCount(kColumns);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The mouse paints codes here; nothing is edited, selected or scrolled the grid's own way.
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    grid_->setAutoScroll(false);
    grid_->setTextElideMode(Qt::ElideNone);
    grid_->viewport()->installEventFilter(this);

    // Each measured text, with room for the cell's own margins.
    const int cellWidth = metrics.horizontalAdvance(QStringLiteral(" 000 ")) + kCellPadding;
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral(" 12pm ")) + kCellPadding;
    const int rowHeight = metrics.height() + 2;
    // The style's smallest sections would be larger than the small font needs.
    grid_->horizontalHeader()->setMinimumSectionSize(cellWidth);
    grid_->verticalHeader()->setMinimumSectionSize(rowHeight);
    for (int column = 0; column < kColumns; ++column) {
      grid_->setColumnWidth(column, column == 0 || column == kColumns - 1 ? labelWidth : cellWidth);
    }
    for (int gridRow = 0; gridRow < kRows; ++gridRow) grid_->setRowHeight(gridRow, rowHeight);

    // The labels stand on the fixed cells' colour: minutes along the top, hours down both sides.
    const QColor fixedColour = palette().color(QPalette::Button);
    const auto label = [&](int gridRow, int column, const QString& text) {
      auto* item = new QTableWidgetItem(text);
      item->setBackground(fixedColour);
      item->setTextAlignment(Qt::AlignCenter);
      grid_->setItem(gridRow, column, item);
    };
    label(0, 0, QString());
    label(0, kColumns - 1, QString());
    for (int column = 1; column < kColumns - 1; ++column) {
      label(0, column, QStringLiteral(":%1").arg(5 * (column - 1), 2, 10, QLatin1Char('0')));
    }
    for (int hour = 0; hour < ShiftPattern::kHours; ++hour) {
      label(hour + 1, 0, Common::FormatHour(hour, false));
      label(hour + 1, kColumns - 1, Common::FormatHour(hour, false));
      for (int column = 1; column < kColumns - 1; ++column) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        grid_->setItem(hour + 1, column, item);
      }
    }
    // Sized to its cells and its frame, with nothing blank beside them.
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(grid_->horizontalHeader()->length() + frame, grid_->verticalHeader()->length() + frame);
  });
}

int ShiftEntryForm::RowColToCell(int row, int column) {
  return (row - 1) * ShiftPattern::kCellsPerHour + (column - 1);
}

int ShiftEntryForm::CellRow(int cell) { return cell / ShiftPattern::kCellsPerHour + 1; }

int ShiftEntryForm::CellColumn(int cell) { return cell % ShiftPattern::kCellsPerHour + 1; }

void ShiftEntryForm::StartAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartAdd")));
  bool ready = false;
  guard([&] { ready = StartsWhen(Common::ThisTemplateSet); });
  if (!ready) return;
  // A new shift shows the model's standard day and multipliers; it joins the template on Ok.
  guard([&] {
    SetAdding(true);
    if (shift_ == nullptr) shift_ = Common::NewY<Yshift>(ytShift);
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(); });
}

void ShiftEntryForm::StartModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartModify")));
  guard([&] {
    SetAdding(false);
    shift_ = dynamic_cast<Yshift*>(Common::DragObject());
    TRAP_ASSERT(shift_ != nullptr && shift_->Template != nullptr, "the dialog modifies the shift of a shift node");
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(); });
}

void ShiftEntryForm::LoadData() {
  ErrTrap::Guard guard(Location(QStringLiteral("LoadData")));
  guard([&] {
    shiftNameText_->setText(shift_->ShiftName());
    burdenedMultiplierText_->setText(MultiplierText(shift_->BurdenedMultiplier));
    overtimeMultiplierText_->setText(MultiplierText(shift_->OvertimeMultiplier));
    offDayMultiplierText_->setText(MultiplierText(shift_->OffDayMultiplier));
    holidayMultiplierText_->setText(shift_->HolidayMultiplier);
  });
  guard([&] {
    for (int hour = 0; hour < ShiftPattern::kHours; ++hour) pattern_.SetHour(hour, shift_->Matrix(hour));
    for (int cell = 0; cell < ShiftPattern::kCells; ++cell) UpdateCell(cell);
  });
}

bool ShiftEntryForm::GatherData() {
  ShiftEntry entry;
  entry.name = Common::TrimBlanks(shiftNameText_->text());
  if (entry.name.isEmpty()) {
    return Refuse(QStringLiteral("Name cannot be blank"), QStringLiteral("Missing Name"), shiftNameText_);
  }
  // A new shift joins the template active now; a shift keeps its own.
  entry.owner = Adding() ? Common::ThisTemplate() : shift_->Template;
  TRAP_ASSERT(entry.owner != nullptr, "the main window's lock keeps the active template while the dialog is open");
  if (const QString refusal = shift_->ShiftNameRefusal(*entry.owner, entry.name); !refusal.isEmpty()) {
    return Refuse(refusal, QStringLiteral("Shift Name In Use"), shiftNameText_);
  }
  const QList<std::tuple<QLineEdit*, float*, QString>> multipliers = {
      {burdenedMultiplierText_, &entry.burdenedMultiplier, QStringLiteral("Burdened multiplier")},
      {overtimeMultiplierText_, &entry.overtimeMultiplier, QStringLiteral("Overtime multiplier")},
      {offDayMultiplierText_, &entry.offDayMultiplier, QStringLiteral("Off day multiplier")}};
  const auto refuseMultiplier = [&](QLineEdit* box, const QString& name) {
    return Refuse(QStringLiteral("The %1 must be a number, such as %2.").arg(name, QLocale().toString(1.5)),
                  QStringLiteral("Invalid ") + name, box);
  };
  for (const auto& [box, multiplier, name] : multipliers) {
    const std::optional<double> number = EntryValues::ReadNumber(box->text());
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max()) return refuseMultiplier(box, name);
    *multiplier = static_cast<float>(*number);
  }
  // Kept as text, as it always was, but only a number is accepted.
  entry.holidayMultiplier = Common::TrimBlanks(holidayMultiplierText_->text());
  if (!EntryValues::ReadNumber(entry.holidayMultiplier)) {
    return refuseMultiplier(holidayMultiplierText_, QStringLiteral("Holiday multiplier"));
  }
  for (int hour = 0; hour < ShiftPattern::kHours; ++hour) entry.matrix[hour] = pattern_.Hour(hour);
  entry_ = entry;
  return true;
}

void ShiftEntryForm::SaveData(const ShiftEntry& entry) {
  ErrTrap::Guarded(Location(QStringLiteral("SaveData")), [&] {
    shift_->SetShiftName(entry.name);
    shift_->BurdenedMultiplier = entry.burdenedMultiplier;
    shift_->OvertimeMultiplier = entry.overtimeMultiplier;
    shift_->OffDayMultiplier = entry.offDayMultiplier;
    shift_->HolidayMultiplier = entry.holidayMultiplier;
    for (int hour = 0; hour < ShiftPattern::kHours; ++hour) shift_->SetMatrix(hour, entry.matrix[hour]);
    entry.owner->SetDirty(true);
  });
}

void ShiftEntryForm::FinishAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishAdd")));
  // Attached before it is named, so that the name enters it into the template's shift list.
  guard([&] { shift_->Template = entry_.owner; });
  guard([&] { SaveData(entry_); });
  guard([] { Forms::StartForm(QStringLiteral("TemplateTreeForm"), "Start"); });
  guard([&] { Close(); });
}

void ShiftEntryForm::FinishModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishModify")));
  guard([&] { SaveData(entry_); });
  guard([] { Forms::StartForm(QStringLiteral("TemplateTreeForm"), "Start"); });
  guard([&] { Close(); });
}

int ShiftEntryForm::FindCol(int X) const {
  for (int column = 1; column < ShiftPattern::kCellsPerHour; ++column) {
    if (X < grid_->columnViewportPosition(column + 1)) return column;
  }
  return ShiftPattern::kCellsPerHour;
}

int ShiftEntryForm::FindRow(int Y) const {
  for (int row = 1; row < ShiftPattern::kHours; ++row) {
    if (Y < grid_->rowViewportPosition(row + 1)) return row;
  }
  return ShiftPattern::kHours;
}

void ShiftEntryForm::UpdateCell(int cell) {
  QTableWidgetItem* item = grid_->item(CellRow(cell), CellColumn(cell));
  item->setText(pattern_.Code(cell));
  item->setBackground(pattern_.Selected(cell) ? praxel::ColorFromLong(kPickedColour) : CodeColour(pattern_.Code(cell)));
}

void ShiftEntryForm::UpdateCells(const QList<int>& cells) {
  if (cells.isEmpty()) return;
  // One repaint for the lot.
  grid_->setUpdatesEnabled(false);
  for (int cell : cells) UpdateCell(cell);
  grid_->setUpdatesEnabled(true);
}

void ShiftEntryForm::ReplaceSelectedCells(const QString& code) {
  ErrTrap::Guarded(Location(QStringLiteral("ReplaceSelectedCells")), [&] {
    UpdateCells(pattern_.ReplaceSelected(code));
    ShowSelectionPending(false);
  });
}

void ShiftEntryForm::ShowSelectionPending(bool pending) {
  for (QPushButton* button : groupCommand_) button->setEnabled(pending);
  OkCommand()->setEnabled(!pending);
  CancelCommand()->setStyleSheet(pending ? BackgroundStyle(praxel::ColorFromLong(kPickedColour)) : QString());
}

void ShiftEntryForm::Grid_MouseDown(int X, int Y) {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("Grid_MouseDown"))), [&] {
    const int row = FindRow(Y);
    const int column = FindCol(X);
    grid_->setCurrentCell(row, column);
    UpdateCells(pattern_.Press(RowColToCell(row, column)));
    ShowSelectionPending(true);
  });
}

void ShiftEntryForm::Grid_MouseMove(Qt::MouseButtons Button, int X, int Y) {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("Grid_MouseMove"))), [&] {
    if (!(Button & Qt::LeftButton)) return;
    UpdateCells(pattern_.DragTo(RowColToCell(FindRow(Y), FindCol(X))));
  });
}

void ShiftEntryForm::GroupCommand_Click(int Index) {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("GroupCommand_Click"))), [&] {
    if (Index >= 0 && Index < int(kCodes.size())) ReplaceSelectedCells(QString::fromLatin1(kCodes[Index].letter));
  });
}

void ShiftEntryForm::CancelCommand_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("CancelCommand_Click"))), [&] {
    if (pattern_.SelectionPending()) {
      ReplaceSelectedCells(QString());
    } else {
      Close();
    }
  });
}

bool ShiftEntryForm::eventFilter(QObject* watched, QEvent* event) {
  if (grid_ != nullptr && watched == grid_->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      Grid_MouseDown(mouse->position().toPoint().x(), mouse->position().toPoint().y());
      return true;
    }
    if (event->type() == QEvent::MouseMove) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      Grid_MouseMove(mouse->buttons(), mouse->position().toPoint().x(), mouse->position().toPoint().y());
      return true;
    }
  }
  return EntryForm::eventFilter(watched, event);
}
