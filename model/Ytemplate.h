#pragma once

#include "Journals.h"
#include "KeyedList.h"
#include "Ypooled.h"

class Yresource;
class Yshift;

// A template: the shifts and the resources that projects draw on, with its own journals.
// Loaded templates sit in Common::Templates() under their name.
class Ytemplate final : public Ymodel, public JournalHolder {
 public:
  QString Description;
  QString ViewPassword;
  QString ModifyPassword;
  // The resources by the decimal text of ResourceID, in ascending ID order. Owned.
  KeyedList<Yresource> ResourceList;
  // The shifts by ShiftName, in the order they were named. Owned.
  KeyedList<Yshift> ShiftList;

  int Ytype() const override { return ytTemplate; }
  void Reset() override;

  QString BuildNodeText() const override { return templateName_; }
  QString ImageType() const override { return QStringLiteral("l"); }
  QString Key() const override { return templateName_; }

  // Takes the template out of Common::Templates() (by emptying its name).
  void Delete();

  const QString& TemplateName() const { return templateName_; }
  // Renames and re-keys; a name in use is refused (TemplateNameRefusal).
  void SetTemplateName(const QString& name);
  // Why the template may not take the name: "There is already a template with the name "..."" when
  // another loaded template has it (names compare without regard to case); empty when it may.
  QString TemplateNameRefusal(const QString& name) const;
  const QString& Path() const { return path_; }
  void SetPath(const QString& path);

  bool Dirty() const { return dirty_; }
  // Setting True asks the solver to start again, also when it was True already.
  void SetDirty(bool dirty);

  // The resource with that ID, created with Description "<stub>" when missing.
  Yresource* FindOrCreateResource(int ID);
  // The shift of that name, created with the standard day when missing.
  Yshift* FindOrCreateShift(const QString& name);
  // The highest ID among the resources included in the current journal; 0 when none.
  int HighestResourceID() const;
  // The ID a new resource is offered: one above the highest ID in ResourceList, counting the
  // resources absent from the current journal (they keep their IDs); 1 when there is none.
  // Error 6 "Overflow" past the largest ID.
  int NextResourceID() const;

  void ChangeNumJournals() override;

 protected:
  QString ModuleName() const override { return QStringLiteral("Ytemplate"); }

 private:
  QString templateName_;
  QString path_;
  bool dirty_ = false;
};
