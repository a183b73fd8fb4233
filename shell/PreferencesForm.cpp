#include "PreferencesForm.h"

#include "Guard.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Prompter.h"
#include "Settings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kBackupOff = QStringLiteral("off");
const QStringList kBackupChoices = {kBackupOff,            QStringLiteral("1"),  QStringLiteral("2"),
                                    QStringLiteral("3"),   QStringLiteral("5"),  QStringLiteral("10"),
                                    QStringLiteral("20"),  QStringLiteral("30")};

// Backups are named after the minute of the hour they fall on: an hour is the longest interval.
constexpr int kLongestBackupInterval = 60;

QString Location(const char* procedure) { return QStringLiteral("Preferences:") + QLatin1String(procedure); }

}  // namespace

PreferencesForm::PreferencesForm(MainForm& Main, QWidget* parent) : QWidget(parent), main_(Main) {
  setObjectName(QStringLiteral("PreferencesForm"));
  setWindowTitle(QStringLiteral("Preferences"));

  const auto check = [this](const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromLatin1(caption));
    box->setObjectName(QString::fromLatin1(name));
    return box;
  };
  const auto list = [this](const char* name, const QStringList& items) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    return combo;
  };

  auto* various = new QGroupBox(QStringLiteral("Micellaneous"));
  auto* variousForm = new QFormLayout(various);
  // The offered intervals, or any other number of minutes typed.
  QComboBox* backup = list("AutomaticBackupCombo", kBackupChoices);
  backup->setEditable(true);
  backup->setInsertPolicy(QComboBox::NoInsert);
  variousForm->addRow(QStringLiteral("Automatic backup in minutes"), backup);
  auto* efficiency = new QLineEdit;
  efficiency->setObjectName(QStringLiteral("EfficiencyText"));
  variousForm->addRow(QStringLiteral("Schedule compression default efficiency"), efficiency);
  variousForm->addRow(check("ShowProjectManagerCheck", "Show project manager on top line of printouts"));
  variousForm->addRow(
      check("AdjustColorsCheck", "Adjust colors for black and white when copying to the clipboard and printing"));
  variousForm->addRow(check("WrapTextCheck", "Wrap text and make rows larger if needed"));

  auto* gantt = new QGroupBox(QStringLiteral("Dudivizivo VORUV options"));
  auto* ganttForm = new QFormLayout(gantt);
  ganttForm->addRow(QStringLiteral("Dependency arrows"),
                    list("DependencyArrowsCombo", {QStringLiteral("None"), QStringLiteral("Control"), QStringLiteral("All")}));
  ganttForm->addRow(QStringLiteral("Date dependency"),
                    list("DateDependencyCombo", {QStringLiteral("Line to top of chart"), QStringLiteral("Short arrow pointing up"),
                                                 QStringLiteral("Triangle pointing right"), QStringLiteral("Do not show")}));
  ganttForm->addRow(check("SortByDateCheck", "Sort by start date"));
  ganttForm->addRow(check("ListAllDepsCheck", "List all dependencies"));
  ganttForm->addRow(QStringLiteral("Subproject display"),
                    list("SubprojectDisplayCombo", {QStringLiteral("One level only"), QStringLiteral("All subprojects"),
                                                    QStringLiteral("Tasks only (flatten)")}));
  ganttForm->addRow(check("ListTaskLeaderCheck", "List task leader"));
  ganttForm->addRow(check("ShowMarkersCheck", "Latest time markers"));
  auto* milestone = new QRadioButton(QStringLiteral("Milestone"));
  milestone->setObjectName(QStringLiteral("MilestoneOption"));
  auto* bar = new QRadioButton(QStringLiteral("Bar"));
  bar->setObjectName(QStringLiteral("BarOption"));
  auto* shapes = new QHBoxLayout;
  shapes->addWidget(milestone);
  shapes->addWidget(bar);
  ganttForm->addRow(shapes);
  ganttForm->addRow(check("CriticalPathRedCheck", "Critical path in red"));

  auto* ok = new QPushButton(QStringLiteral("Ok"));
  ok->setObjectName(QStringLiteral("OkCommand"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"));
  cancel->setObjectName(QStringLiteral("CancelCommand"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(various);
  layout->addWidget(gantt);
  layout->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this,
          [this] { ErrTrap::Guarded(ErrTrap::Handler(Location("OkCommand_Click")), [&] { OkCommand_Click(); }); });
  connect(cancel, &QPushButton::clicked, this, [this] {
    ErrTrap::Guarded(ErrTrap::Handler(Location("CancelCommand_Click")), [&] { Forms::Unload(this); });
  });
  Form_Load();
}

QString PreferencesForm::GetControlType(const QString& name) {
  for (qsizetype i = name.size() - 1; i >= 0; --i) {
    if (name.at(i) <= QLatin1Char('Z')) return name.mid(i);
  }
  return name;
}

std::optional<int> PreferencesForm::ReadBackupMinutes(const QString& text) {
  const QString interval = text.trimmed();
  if (interval.compare(kBackupOff, Qt::CaseInsensitive) == 0) return 0;
  bool ok = false;
  const int minutes = interval.toInt(&ok);
  if (!ok || minutes < 1 || minutes > kLongestBackupInterval) return std::nullopt;
  return minutes;
}

int PreferencesForm::BackupMinutes(const QString& setting) { return ReadBackupMinutes(setting).value_or(0); }

void PreferencesForm::Form_Load() {
  ErrTrap::Guarded(ErrTrap::Handler(Location("Form_Load")), [&] { LoadSettings(); });
}

void PreferencesForm::LoadSettings() {
  for (QWidget* control : findChildren<QWidget*>()) {
    const QString type = GetControlType(control->objectName());
    const QString value = Settings::ReadSettings(control->objectName());
    if (type == QLatin1String("Check") || type == QLatin1String("Option")) {
      auto* button = qobject_cast<QAbstractButton*>(control);
      if (button != nullptr && (value == QLatin1String("X") || value == QLatin1String("-"))) {
        button->setChecked(value == QLatin1String("X"));
      }
    } else if (type == QLatin1String("Combo")) {
      auto* combo = qobject_cast<QComboBox*>(control);
      if (combo == nullptr || value.isEmpty()) continue;
      // A box the user types into shows any value; a drop-down list passes over one it does not hold.
      if (combo->isEditable()) {
        combo->setEditText(value);
      } else if (combo->findText(value) >= 0) {
        combo->setCurrentText(value);
      }
    } else if (type == QLatin1String("Text")) {
      if (auto* text = qobject_cast<QLineEdit*>(control); text != nullptr && !value.isEmpty()) text->setText(value);
    }
  }
}

bool PreferencesForm::VerifyData() {
  auto* backup = findChild<QComboBox*>(QStringLiteral("AutomaticBackupCombo"));
  if (ReadBackupMinutes(backup->currentText())) return true;
  praxel::CurrentPrompter().MsgBox(
      QStringLiteral("The automatic backup interval must be \"off\" or a whole number of minutes from 1 to %1.")
          .arg(kLongestBackupInterval),
      praxel::MsgExclamation, QStringLiteral("Invalid Backup Interval"));
  backup->setFocus();
  return false;
}

void PreferencesForm::OkCommand_Click() {
  if (!VerifyData()) return;
  for (QWidget* control : findChildren<QWidget*>()) {
    const QString name = control->objectName();
    const QString type = GetControlType(name);
    if (type == QLatin1String("Check") || type == QLatin1String("Option")) {
      if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        Settings::WriteSettings(name, button->isChecked() ? QStringLiteral("X") : QStringLiteral("-"));
      }
    } else if (type == QLatin1String("Combo")) {
      if (auto* combo = qobject_cast<QComboBox*>(control)) Settings::WriteSettings(name, combo->currentText());
    } else if (type == QLatin1String("Text")) {
      if (auto* text = qobject_cast<QLineEdit*>(control)) Settings::WriteSettings(name, text->text());
    }
  }
  main_.SetAutoBackupMinutes(BackupMinutes(Settings::ReadSettings(QStringLiteral("AutomaticBackupCombo"))));
  Common::BroadcastNewSolution();
  Forms::Unload(this);
}

void PreferencesForm::closeEvent(QCloseEvent* event) {
  main_.UnlockEntryForm(this);
  QWidget::closeEvent(event);
}
