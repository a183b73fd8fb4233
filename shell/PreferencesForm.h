#pragma once

#include "Forms.h"

#include <QWidget>

#include <optional>

class MainForm;

// Setup > Preferences: the automatic backup interval, the printing and display switches and the
// Gantt chart's options. Every editing control is named after the setting it edits, and its kind
// is the last capitalised word of its name (Check, Option, Combo, Text): loading and storing are
// one walk over the controls. Ok stores them, sets the backup interval and tells the open windows
// (the Gantt chart redraws with its new options); a backup interval that is no interval is
// refused with a message, and nothing is stored. Cancel changes nothing.
class PreferencesForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  explicit PreferencesForm(MainForm& Main, QWidget* parent = nullptr);

  int BorderStyle() const { return Forms::BorderDialog; }

  // The tail of a control's name from its last capital letter or digit: "ShowMarkersCheck"
  // gives "Check", "Label4" gives "4".
  static QString GetControlType(const QString& name);
  // The minutes of a backup interval as typed or chosen: 0 for "off", else a whole number of
  // minutes from 1 to 60 (the backups fall on the minutes of the hour that the interval divides,
  // so a longer one would come no less often than hourly); none for any other text.
  static std::optional<int> ReadBackupMinutes(const QString& text);
  // The minutes of a stored backup interval setting: as read, and 0 (off) for one that reads as
  // none.
  static int BackupMinutes(const QString& setting);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Every control from its setting.
  void Form_Load();
  void LoadSettings();
  // Refuses a backup interval that is no interval, with a message; answers whether it may go on.
  bool VerifyData();
  void OkCommand_Click();

  MainForm& main_;
};
