#pragma once

#include <QList>

// What the model's collections share: their members in order, read by position or walked. The
// collection does not own its members.
template <class T>
class MemberList {
 public:
  qsizetype Count() const { return items_.size(); }
  bool IsEmpty() const { return items_.isEmpty(); }
  T* Item(qsizetype index) const { return items_.at(index); }  // 0-based
  T* First() const { return items_.isEmpty() ? nullptr : items_.first(); }
  const QList<T*>& Items() const { return items_; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  qsizetype IndexOf(const T* item) const { return items_.indexOf(const_cast<T*>(item)); }

 protected:
  QList<T*> items_;
};
