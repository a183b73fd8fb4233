#pragma once

#include "MemberList.h"

#include <QString>

// The few dependencies or assignments of a task, in the order they joined it. A member is found
// by itself, so joining and leaving make no key texts and no index; a look-up by key (the
// member's Key(), compared without regard to case) walks the list.
template <class T>
class ChildList : public MemberList<T> {
  using MemberList<T>::items_;

 public:
  T* Find(const QString& key) const {
    for (T* item : items_) {
      if (item->Key().compare(key, Qt::CaseInsensitive) == 0) return item;
    }
    return nullptr;
  }
  bool Contains(const T* item) const { return items_.contains(const_cast<T*>(item)); }

  // Adds at the end; a member is held once.
  void Add(T* item) {
    if (!Contains(item)) items_.append(item);
  }
  void Remove(const T* item) { items_.removeOne(const_cast<T*>(item)); }
  void Clear() { items_.clear(); }
};
