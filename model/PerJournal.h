#pragma once

#include "Check.h"

#include <QList>

#include <algorithm>
#include <memory>

// A field that may differ between the journals of its holder (a project or a template): it
// holds one value shared by every journal, or one value per journal.
//
// Reading gives the current journal's value. Writing sets the current journal and every later
// one: writing on the first journal makes the field one shared value again; writing on a later
// journal while the field is shared first gives every journal its own copy of that value.
// Object fields hold plain pointers; the objects belong to their owners.
template <class T>
class PerJournal {
 public:
  PerJournal() = default;
  explicit PerJournal(const T& value) : single_(value) {}
  PerJournal(const PerJournal& other) : single_(other.single_), values_(CopyOf(other.values_)) {}
  PerJournal& operator=(const PerJournal& other) {
    if (this != &other) {
      single_ = other.single_;
      values_ = CopyOf(other.values_);
    }
    return *this;
  }
  PerJournal(PerJournal&&) noexcept = default;
  PerJournal& operator=(PerJournal&&) noexcept = default;

  bool IsArray() const { return values_ != nullptr; }
  // The value in journal `current` (any journal, when the field is shared).
  const T& Get(int current) const { return values_ ? values_->at(current) : single_; }
  // The shared value, or journal 0's.
  const T& First() const { return values_ ? values_->first() : single_; }
  const QList<T>& Values() const { return values_ ? *values_ : NoValues(); }

  // Makes the field one value shared by every journal.
  void SetSingle(const T& value) {
    single_ = value;
    values_.reset();
  }
  // Gives every journal its own value (the record reader); one value makes the field shared.
  void SetValues(const QList<T>& values) {
    if (values.size() == 1) {
      SetSingle(values.first());
    } else if (values.isEmpty()) {
      values_.reset();
    } else {
      values_ = std::make_unique<QList<T>>(values);
      single_ = values.first();
    }
  }

  // The writing rule: `value` for journal `current` and every later one of `numJournals`.
  void Let(const T& value, int numJournals, int current) {
    if (current <= 0 || numJournals <= 1) {
      SetSingle(value);
      return;
    }
    if (!values_) values_ = std::make_unique<QList<T>>(numJournals, single_);
    TRAP_ASSERT(values_->size() == numJournals, "a per-journal field holds one value for each journal");
    std::fill(values_->begin() + current, values_->end(), value);
  }

  // Follows a change of the holder's journals by one, at `current`: a journal inserted there
  // copies the one before it (or the old first journal, at 0); a journal deleted there goes.
  // A shared value serves every journal and is left alone.
  void Resize(int numJournals, int current) {
    if (!values_) return;
    const qsizetype change = numJournals - values_->size();
    if (change == 1) {
      values_->insert(current, values_->at(current > 0 ? current - 1 : 0));
    } else if (change == -1) {
      values_->remove(current);
      if (values_->isEmpty()) values_.reset();
    } else {
      TRAP_ASSERT(change == 0, "journals are added or deleted one at a time");
    }
  }

  // Every element equal to `from` becomes `to` (object fields: forgetting a freed object).
  bool Replace(const T& from, const T& to) {
    bool replaced = false;
    if (single_ == from) {
      single_ = to;
      replaced = !values_;
    }
    if (values_) {
      for (T& value : *values_) {
        if (value == from) {
          value = to;
          replaced = true;
        }
      }
    }
    return replaced;
  }

  // Every element for which `matches` holds becomes `to`.
  template <class Predicate>
  void ReplaceIf(Predicate matches, const T& to) {
    if (matches(single_)) single_ = to;
    if (!values_) return;
    for (T& value : *values_) {
      if (matches(value)) value = to;
    }
  }

  // True when some journal holds `value`.
  bool Holds(const T& value) const { return values_ ? values_->contains(value) : single_ == value; }

 private:
  static std::unique_ptr<QList<T>> CopyOf(const std::unique_ptr<QList<T>>& values) {
    return values ? std::make_unique<QList<T>>(*values) : nullptr;
  }
  static const QList<T>& NoValues() {
    static const QList<T> none;
    return none;
  }

  T single_{};
  // One value per journal, or none while the value is shared: most fields of a large plan are
  // shared, so a shared field costs a pointer rather than an empty list.
  std::unique_ptr<QList<T>> values_;
};

// The presence of a task, dependency, assignment or resource in its holder's journals. Shared,
// it reads True in every journal whatever it holds; only per-journal values can say absent.
class Presence {
 public:
  bool In(int current) const { return !field_.IsArray() || field_.Get(current); }
  const PerJournal<bool>& Field() const { return field_; }
  PerJournal<bool>& Field() { return field_; }

  void Let(bool value, int numJournals, int current) {
    // A shared value reads True whatever it holds, so the earlier journals keep True.
    if (!field_.IsArray()) field_.SetSingle(true);
    field_.Let(value, numJournals, current);
  }
  void SetSingle(bool value) { field_.SetSingle(value); }

  // An object that joins its holder while journal `current` is current exists from that
  // journal on only.
  void Join(int numJournals, int current) {
    if (current < 1) return;
    QList<bool> values(numJournals, true);
    std::fill(values.begin(), values.begin() + current, false);
    field_.SetValues(values);
  }

  // Absent from journal `current` on; answers whether some journal still has the object.
  bool Remove(int numJournals, int current) {
    if (!field_.IsArray()) {
      if (numJournals <= 1 || current <= 0) {
        field_.SetSingle(false);
        return false;
      }
      field_.SetValues(QList<bool>(numJournals, true));
    }
    field_.Let(false, numJournals, current);
    return field_.IsArray() && field_.Values().contains(true);
  }

 private:
  PerJournal<bool> field_{true};
};
