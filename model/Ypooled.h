#pragma once

#include <QString>

#include <cstdint>

class Yproject;

// Type codes of the pooled classes: each class answers its own from Ytype().
enum YtypeCode : int {
  ytAssignment = 1,
  ytDependency = 2,
  ytFile = 3,
  ytProject = 4,
  ytResource = 5,
  ytShift = 6,
  ytSlice = 7,
  ytSlot = 8,
  ytTask = 9,
  ytTemplate = 10,
};

// Base of every object the pool makes (see Pool.h). Reset() is the constructor: it puts every
// field to its default and frees what the object owns. Objects are never deleted while the
// program runs; they go back to the pool and come out again reset.
class Ypooled {
 public:
  Ypooled() = default;
  Ypooled(const Ypooled&) = delete;
  Ypooled& operator=(const Ypooled&) = delete;
  virtual ~Ypooled();

  virtual int Ytype() const = 0;
  virtual void Reset() = 0;

  // A number unique among live objects and stable for the object's life (from the moment the
  // pool hands it out until it is freed); the keys of dependencies and assignments use it.
  std::uint64_t Identity() const { return identity_; }
  bool IsFree() const { return free_; }

  Ypooled* NextAllocate = nullptr;  // chain of every object the pool made
  Ypooled* NextFree = nullptr;      // free list of this object's type

 private:
  friend class PoolAccess;
  std::uint64_t identity_ = 0;
  bool free_ = false;
};

// Base of the classes shown on the trees: projects, tasks, dependencies, assignments, templates,
// shifts and resources.
class Ymodel : public Ypooled {
 public:
  // The caption of the object's tree node.
  virtual QString BuildNodeText() const = 0;
  // The node kind, one letter, also the key of the node's picture.
  virtual QString ImageType() const = 0;
  // The key in the owner's collection.
  virtual QString Key() const = 0;
  // ImageType() followed by Key().
  virtual QString Tag() const { return ImageType() + Key(); }
  // The project the object belongs to (none for templates, shifts and resources).
  virtual Yproject* Project() const { return nullptr; }
};
