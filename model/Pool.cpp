#include "Pool.h"

#include "Check.h"
#include "Common.h"
#include "Guard.h"
#include "Links.h"
#include "SolveState.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QSet>

#include <array>

Ypooled::~Ypooled() = default;

// The pool's private access to an object's bookkeeping.
class PoolAccess {
 public:
  static void HandOut(Ypooled& object, std::uint64_t identity) {
    object.identity_ = identity;
    object.free_ = false;
  }
  static void MarkFree(Ypooled& object) { object.free_ = true; }
};

namespace Common {

namespace {

constexpr int kTypeCodes = 10;

struct PoolState {
  std::array<Ypooled*, kTypeCodes> FreeList{};
  Ypooled* AllocatedList = nullptr;
  std::array<Maker, kTypeCodes> makers{};
  FreeAllHook freeAllHook = nullptr;
  std::uint64_t nextIdentity = 1;
  // Objects freed by the outermost FreeYobject still running (nested frees come from Reset).
  int freeDepth = 0;
  QSet<const Ypooled*> freed;
  bool freeingAll = false;
};

PoolState& State() {
  static PoolState state;
  return state;
}

Ypooled* Make(int TypeCode) {
  switch (TypeCode) {
    case ytAssignment: return new Yassignment;
    case ytDependency: return new Ydependency;
    case ytProject: return new Yproject;
    case ytResource: return new Yresource;
    case ytShift: return new Yshift;
    case ytTask: return new Ytask;
    case ytTemplate: return new Ytemplate;
    default: {
      const Maker make = State().makers.at(TypeCode - 1);
      return make != nullptr ? make() : nullptr;
    }
  }
}

// One level of nested freeing for as long as it lives.
struct FreeDepth {
  int& depth;
  explicit FreeDepth(int& d) : depth(d) { ++depth; }
  ~FreeDepth() { --depth; }
};

}  // namespace

Ypooled* NewYObject(int TypeCode) {
  Ypooled* result = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:NewYObject"), [&] {
    TRAP_ASSERT(TypeCode >= 1 && TypeCode <= kTypeCodes, "a type code runs from 1 to 10");
    PoolState& pool = State();
    Ypooled*& head = pool.FreeList[TypeCode - 1];
    if (head != nullptr) {
      result = head;
      head = result->NextFree;
      result->NextFree = nullptr;
    } else {
      Ypooled* made = Make(TypeCode);
      TRAP_ASSERT(made != nullptr, "the library that holds a class registers its maker before use");
      made->NextAllocate = pool.AllocatedList;
      pool.AllocatedList = made;
      made->Reset();
      result = made;
    }
    PoolAccess::HandOut(*result, pool.nextIdentity++);
  });
  return result;
}

void FreeYobject(Ypooled*& Obj) {
  ErrTrap::Guarded(QStringLiteral("Common:FreeYobject"), [&] {
    if (Obj == nullptr) return;
    Ypooled* object = Obj;
    // A second free would put the object on its free list twice, and the pool would later
    // hand one object out as two.
    TRAP_ASSERT(!object->IsFree(), "an object is freed once");
    PoolState& pool = State();
    FreeDepth depth(pool.freeDepth);
    object->Reset();
    PoolAccess::MarkFree(*object);
    Ypooled*& head = pool.FreeList[object->Ytype() - 1];
    object->NextFree = head;
    head = object;
    Obj = nullptr;
    pool.freed.insert(object);
    if (pool.freeDepth == 1) {
      if (!pool.freeingAll) ForgetFreedObjects(pool.freed);
      pool.freed.clear();
    }
  });
}

void FreeYobjects(const QList<Ypooled*>& Objects) {
  ErrTrap::Guarded(QStringLiteral("Common:FreeYobjects"), [&] {
    PoolState& pool = State();
    // One level deeper for the whole batch: each free below leaves the clearing of links to us.
    FreeDepth depth(pool.freeDepth);
    for (Ypooled* object : Objects) FreeYobject(object);
    if (pool.freeDepth == 1) {
      if (!pool.freeingAll) ForgetFreedObjects(pool.freed);
      pool.freed.clear();
    }
  });
}

void FreeAllMemory() {
  ErrTrap::Guarded(QStringLiteral("Common:FreeAllMemory"), [&] {
    PoolState& pool = State();
    SetThisProject(nullptr);
    SetThisTemplate(nullptr);
    Solve::ClearSolveErrorObject();
    if (pool.freeAllHook != nullptr) pool.freeAllHook();
    pool.freeingAll = true;
    struct Done {
      bool& flag;
      ~Done() { flag = false; }
    } done{pool.freeingAll};
    FreeYlist(Projects());
    FreeYlist(Templates());
    pool.FreeList.fill(nullptr);
    for (Ypooled* object = pool.AllocatedList; object != nullptr; object = object->NextAllocate) {
      object->NextFree = nullptr;
    }
    while (pool.AllocatedList != nullptr) {
      Ypooled* object = pool.AllocatedList;
      pool.AllocatedList = object->NextAllocate;
      object->NextAllocate = nullptr;
      delete object;
    }
  });
}

void RegisterYtype(int TypeCode, Maker make) {
  if (TypeCode >= 1 && TypeCode <= kTypeCodes) State().makers[TypeCode - 1] = make;
}

void SetFreeAllHook(FreeAllHook hook) { State().freeAllHook = hook; }

}  // namespace Common
