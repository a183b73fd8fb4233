#pragma once

#include "KeyedList.h"
#include "Ypooled.h"

// The object pool: every pooled object is made here and comes back here when freed, to be
// handed out again already reset. The pool owns every object it made until FreeAllMemory.
namespace Common {

// A ready object of the class of that type code: the last one freed, or a new one.
// A code outside 1..10, or one whose class is not part of this program, is "Assertion failed".
Ypooled* NewYObject(int TypeCode);

template <class T>
T* NewY(int TypeCode) {
  return static_cast<T*>(NewYObject(TypeCode));
}

// Returns the object to the pool (reset, which frees what it owns) and sets the caller's
// reference to none. The caller first takes it out of every collection. Freeing an object
// twice is "Assertion failed". Every link that still names a freed object is cleared, so no
// link ever points at an object the pool hands out again.
void FreeYobject(Ypooled*& Obj);
template <class T>
void FreeY(T*& Obj) {
  Ypooled* object = Obj;
  Obj = nullptr;
  FreeYobject(object);
}

// Frees every object of the list as one batch: the links that name any of them are cleared once,
// after the last, instead of once per object (the solver frees thousands of slices at a time).
void FreeYobjects(const QList<Ypooled*>& Objects);

// Frees every member of the list (a KeyedList or a ChildList), then empties it.
template <class List>
void FreeYlist(List& list) {
  // Members leave the list in their own Reset, so the batch is taken first.
  const auto members = list.Items();
  FreeYobjects(QList<Ypooled*>(members.begin(), members.end()));
  list.Clear();
}

// Drops every loaded object and empties the pool.
void FreeAllMemory();

// Classes outside the model (the file object, the solver's slices and slots) register how
// their objects are made.
using Maker = Ypooled* (*)();
void RegisterYtype(int TypeCode, Maker make);

// Called by FreeAllMemory before the collections are freed, so the solver can drop what it holds.
using FreeAllHook = void (*)();
void SetFreeAllHook(FreeAllHook hook);

}  // namespace Common
