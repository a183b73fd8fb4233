#pragma once

#include "EntryForm.h"

class QLineEdit;
class Ytemplate;

// "Template Data Entry": adds a template, or modifies one, with its name, description and two
// passwords, all stored as typed. A new template becomes the active template with one journal,
// dated the day of the Ok, and one shift, "Standard", so that resources can be added to it at
// once. A change of the active template leaves the dialog open.
class TemplateEntryForm final : public EntryForm {
  Q_OBJECT

 public:
  explicit TemplateEntryForm(QWidget* parent = nullptr);

  // Opens the dialog on a new template.
  Q_INVOKABLE void StartAdd();
  // Opens the dialog on the template; none means the template of the selected tree node.
  Q_INVOKABLE void StartModify(Ytemplate* templ = nullptr);

  Q_INVOKABLE void NewDragNode() { CloseOnNotification("NewDragNode"); }
  Q_INVOKABLE void NewJournal() { CloseOnNotification("NewJournal"); }
  Q_INVOKABLE void NewThisProject() { CloseOnNotification("NewThisProject"); }

 private:
  // What Ok stores, read and checked in full before anything is.
  struct TemplateEntry {
    QString name;
    QString description;
    QString viewPassword;
    QString modifyPassword;
  };

  void LoadData();
  bool GatherData() override;
  // Stores the entry in the template and marks it changed.
  void SaveData(const TemplateEntry& entry);
  void FinishAdd() override;
  void FinishModify() override;

  QLineEdit* templateNameText_;
  QLineEdit* descriptionText_;
  QLineEdit* viewPasswordText_;
  QLineEdit* modifyPasswordText_;

  Ytemplate* template_ = nullptr;
  TemplateEntry entry_;
};
