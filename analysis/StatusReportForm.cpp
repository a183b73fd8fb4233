#include "StatusReportForm.h"

#include "BudgetForm.h"
#include "Common.h"
#include "FormHelpers.h"
#include "FormHost.h"
#include "GanttForm.h"
#include "Guard.h"
#include "Prompter.h"
#include "RtfEditor.h"
#include "Yproject.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 7;
constexpr int kItemColumn = 3;
constexpr int kFirstItemRow = 2;
const QStringList kLetters = {QStringLiteral("G"), QStringLiteral("Y"), QStringLiteral("R")};

QString Location(const char* procedure) { return QStringLiteral("StatusReport:") + QLatin1String(procedure); }

void StatusMessage(const QString& text) {
  if (QWidget* main = Forms::MainWindow()) {
    QMetaObject::invokeMethod(main, "StatusMessage", Qt::DirectConnection, Q_ARG(QString, text));
  }
}

QTableWidgetItem* CentredItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(Qt::AlignCenter);
  item->setFlags(Qt::ItemIsEnabled);
  return item;
}

// The light of one month of a grid row: the letter of the column that holds one.
QString LightOf(const QTableWidget* grid, int row, int firstColumn) {
  for (int col = firstColumn; col < firstColumn + 3; ++col) {
    if (const QTableWidgetItem* item = grid->item(row, col); item != nullptr && !item->text().isEmpty()) {
      return item->text();
    }
  }
  return QString();
}

// Makes a project the active one for as long as it lives, and puts the active project back
// after: a plain assignment, which tells no window.
class ActiveProjectSwitch {
 public:
  explicit ActiveProjectSwitch(Yproject* project) : saved_(Common::ThisProject()) { Common::SetThisProject(project); }
  ~ActiveProjectSwitch() { Common::SetThisProject(saved_); }
  ActiveProjectSwitch(const ActiveProjectSwitch&) = delete;
  ActiveProjectSwitch& operator=(const ActiveProjectSwitch&) = delete;

 private:
  Yproject* saved_;
};

}  // namespace

StatusReportForm::StatusReportForm(QWidget* parent)
    : QWidget(parent),
      grid_(new QTableWidget(this)),
      budgetOption_(new QRadioButton(QStringLiteral("Budget"))),
      earnedValueOption_(new QRadioButton(QStringLiteral("Earned value"))),
      okCommand_(new QPushButton(QStringLiteral("Ok"))),
      cancelCommand_(new QPushButton(QStringLiteral("Cancel"))),
      copyCommand_(new QPushButton(QStringLiteral("Copy to Previous"))) {
  setObjectName(QStringLiteral("StatusReportForm"));
  setWindowTitle(QStringLiteral("Status Report Generation"));
  setProperty("HelpKey", QStringLiteral("Graphics"));
  grid_->setObjectName(QStringLiteral("Grid"));
  grid_->setColumnCount(kColumns);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  budgetOption_->setObjectName(QStringLiteral("BudgetOption"));
  earnedValueOption_->setObjectName(QStringLiteral("EarnedValueOption"));
  budgetOption_->setChecked(true);
  okCommand_->setObjectName(QStringLiteral("OkCommand"));
  cancelCommand_->setObjectName(QStringLiteral("CancelCommand"));
  copyCommand_->setObjectName(QStringLiteral("CopyCommand"));

  auto* plotType = new QGroupBox(QStringLiteral("Financial plot type"));
  plotType->setObjectName(QStringLiteral("Frame1"));
  auto* options = new QHBoxLayout(plotType);
  options->addWidget(budgetOption_);
  options->addWidget(earnedValueOption_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(plotType);
  buttons->addStretch();
  buttons->addWidget(copyCommand_);
  buttons->addWidget(okCommand_);
  buttons->addWidget(cancelCommand_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addLayout(buttons);
  resize(640, 420);

  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int col) {
    ErrTrap::Guarded(ErrTrap::Handler(Location("Grid_Click")), [&] { Grid_Click(row, col); });
  });
  connect(copyCommand_, &QPushButton::clicked, this,
          [this] { ErrTrap::Guarded(ErrTrap::Handler(Location("CopyCommand_Click")), [&] { CopyCommand_Click(); }); });
  connect(okCommand_, &QPushButton::clicked, this,
          [this] { ErrTrap::Guarded(ErrTrap::Handler(Location("OkCommand_Click")), [&] { OkCommand_Click(); }); });
  connect(cancelCommand_, &QPushButton::clicked, this, [this] {
    ErrTrap::Guarded(ErrTrap::Handler(Location("CancelCommand_Click")), [&] { Forms::Unload(this); });
  });
}

void StatusReportForm::Start() {
  ErrTrap::Guard guard(Location("Start"));
  Yproject* project = Common::ThisProject();
  if (project == nullptr) return;
  projectName_ = project->ProjectName();
  guard([&] { reportFile_ = StatusReports::FileFor(projectName_); });
  bool ready = true;
  guard([&] {
    if (!QFile::exists(reportFile_)) ready = CreateStatusReport();
  });
  if (!ready) {
    Forms::Unload(this);
    return;
  }
  QString error;
  if (!report_.Read(reportFile_, &error)) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("The status report ") + QDir::toNativeSeparators(reportFile_) +
                                         QStringLiteral(" could not be read: ") + error,
                                     praxel::MsgExclamation, QStringLiteral("Status Report"));
    Forms::Unload(this);
    return;
  }
  guard([&] { FillGrid(); });
  guard([&] { RedoColors(); });
  guard([&] {
    if (FormHost* host = Forms::Host()) host->ShowForm(this);
  });
}

bool StatusReportForm::CreateStatusReport() {
  QDir().mkpath(StatusReports::Folder());
  const QString layout = StatusReports::LayoutPath();
  QFile::copy(layout, reportFile_);
  if (!QFile::exists(reportFile_)) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("An error occurred while trying to copy from StatusReportLayout.rtf to ") +
                                         QDir::toNativeSeparators(reportFile_) +
                                         QStringLiteral(".  Please make sure that the project name does not contain "
                                                        "any special characters."),
                                     praxel::MsgExclamation, QStringLiteral("File Copy Error"));
    return false;
  }
  // A copy of the built-in layout is read-only like its source: the user's report is not.
  QFile::setPermissions(reportFile_, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  // The user fills the new report in before its table is read; the program is held meanwhile.
  RtfEditor::Launch(reportFile_, true);
  return true;
}

void StatusReportForm::FillGrid() {
  const QList<StatusReportFile::Row>& rows = report_.Rows();
  grid_->clearSpans();
  grid_->setRowCount(std::max<int>(kFirstItemRow, static_cast<int>(rows.size()) + 1));
  for (int col = 0; col < kColumns; ++col) {
    grid_->setItem(0, col, CentredItem(col < kItemColumn ? QStringLiteral("Previous Month")
                                       : col > kItemColumn ? QStringLiteral("Present Month") : QString()));
    grid_->setItem(1, col, CentredItem(col == kItemColumn ? QString() : kLetters.at(col % 4)));
  }
  grid_->setSpan(0, 0, 1, 3);
  grid_->setSpan(0, 4, 1, 3);
  grid_->setSpan(0, kItemColumn, 2, 1);
  grid_->item(0, kItemColumn)->setText(rows.isEmpty() ? QString() : rows.first().item);
  for (int index = 1; index < rows.size(); ++index) {
    const int row = index + 1;
    const StatusReportFile::Row& source = rows.at(index);
    for (int col = 0; col < kColumns; ++col) grid_->setItem(row, col, CentredItem(QString()));
    grid_->item(row, kItemColumn)->setText(source.item);
    if (const qsizetype at = kLetters.indexOf(source.previous); at >= 0) grid_->item(row, static_cast<int>(at))->setText(source.previous);
    if (const qsizetype at = kLetters.indexOf(source.present); at >= 0) grid_->item(row, 4 + static_cast<int>(at))->setText(source.present);
  }
  // Each light column as wide as " XXXX "; the item column takes the rest.
  const int light = fontMetrics().horizontalAdvance(QStringLiteral(" XXXX "));
  for (int col = 0; col < kColumns; ++col) {
    if (col != kItemColumn) grid_->setColumnWidth(col, light);
  }
  grid_->horizontalHeader()->setSectionResizeMode(kItemColumn, QHeaderView::Stretch);
}

QList<StatusReportFile::Row> StatusReportForm::GridRows() const {
  QList<StatusReportFile::Row> rows = report_.Rows();
  for (int index = 1; index < rows.size(); ++index) {
    rows[index].previous = LightOf(grid_, index + 1, 0);
    rows[index].present = LightOf(grid_, index + 1, 4);
  }
  return rows;
}

void StatusReportForm::Grid_Click(int row, int col) {
  if (row < kFirstItemRow || col == kItemColumn) return;
  const int first = col < kItemColumn ? 0 : 4;
  for (int c = first; c < first + 3; ++c) grid_->item(row, c)->setText(QString());
  grid_->item(row, col)->setText(grid_->item(1, col)->text());
  RedoColors();
}

void StatusReportForm::CopyCommand_Click() {
  for (int row = kFirstItemRow; row < grid_->rowCount(); ++row) {
    for (int col = 0; col < 3; ++col) grid_->item(row, col)->setText(grid_->item(row, col + 4)->text());
  }
  RedoColors();
}

void StatusReportForm::RedoColors() {
  const QHash<QString, QColor> colors = {{QStringLiteral("G"), QColor(0, 255, 0)},
                                         {QStringLiteral("Y"), QColor(255, 255, 0)},
                                         {QStringLiteral("R"), QColor(255, 0, 0)}};
  for (int row = kFirstItemRow; row < grid_->rowCount(); ++row) {
    for (int col = 0; col < kColumns; ++col) {
      if (col == kItemColumn) continue;
      QTableWidgetItem* item = grid_->item(row, col);
      item->setBackground(colors.value(item->text(), QColor(Qt::white)));
    }
  }
}

void StatusReportForm::OkCommand_Click() {
  hide();
  // The pictures are drawn off screen, of the report's own project whichever is active now: the
  // user's windows stay as they are. Were the project closed meanwhile, the report would keep
  // its old pictures.
  QString gantt;
  QString budget;
  if (Yproject* project = Common::Projects().Find(projectName_)) {
    const ActiveProjectSwitch reportsProject(project);
    const ChartView::OffScreen offScreen;
    {
      GanttForm chart;
      gantt = chart.PictureOffScreen();
    }
    BudgetForm plot;
    if (earnedValueOption_->isChecked()) {
      if (auto* check = plot.findChild<QCheckBox*>(QStringLiteral("EarnedValueCheck"))) check->setChecked(true);
    }
    budget = plot.PictureOffScreen();
  }
  StatusMessage(QStringLiteral("Generating status report"));
  QString error;
  const bool written = report_.Write(reportFile_, GridRows(), budget, gantt, &error);
  StatusMessage(QString());
  if (!written) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("The status report ") + QDir::toNativeSeparators(reportFile_) +
                                         QStringLiteral(" could not be written, and is as it was: ") + error,
                                     praxel::MsgExclamation, QStringLiteral("Status Report"));
    show();
    return;
  }
  RtfEditor::Launch(reportFile_, false);
  Forms::Unload(this);
}

void StatusReportForm::closeEvent(QCloseEvent* event) {
  if (FormHost* host = Forms::Host()) host->UnlockEntryForm(this);
  QWidget::closeEvent(event);
}
