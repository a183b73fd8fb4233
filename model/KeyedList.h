#pragma once

#include "MemberList.h"
#include "RuntimeError.h"

#include <QHash>
#include <QList>
#include <QString>

// An ordered collection of objects under text keys that compare without regard to case. The
// collection does not own its members. A failed look-up finds nothing and raises nothing.
template <class T>
class KeyedList : public MemberList<T> {
  using MemberList<T>::items_;

 public:
  T* Find(const QString& key) const { return index_.value(Fold(key), nullptr); }
  bool Contains(const QString& key) const { return index_.contains(Fold(key)); }

  // Adds at the end, or before the member at `before` (0-based; Count() for the end).
  // A key already present raises error 457, as a collection does.
  void Add(const QString& key, T* item) { Insert(items_.size(), key, item); }
  void Insert(qsizetype before, const QString& key, T* item) {
    const QString folded = Fold(key);
    if (index_.contains(folded)) {
      throw praxel::RuntimeError(457, QStringLiteral("This key is already associated with an element of this collection"));
    }
    items_.insert(before, item);
    index_.insert(folded, item);
  }
  // Removes the member under the key; a key not present raises error 5.
  void Remove(const QString& key) {
    T* item = index_.take(Fold(key));
    if (item == nullptr) throw praxel::RuntimeError(praxel::errInvalidCall, QStringLiteral("Invalid procedure call or argument"));
    items_.removeOne(item);
  }
  // Moves a member to the end, keeping its key.
  void MoveToEnd(T* item) {
    const qsizetype index = items_.indexOf(item);
    if (index >= 0) items_.move(index, items_.size() - 1);
  }
  void Clear() {
    items_.clear();
    index_.clear();
  }

 private:
  static QString Fold(const QString& key) { return key.toCaseFolded(); }

  QHash<QString, T*> index_;
};
