#pragma once

#include "Yproject.h"

// Puts a project on another of its journals for as long as it lives, and back where it was
// after: a view that reads the plan's values beside the current ones.
class JournalSwitch {
 public:
  JournalSwitch(Yproject* project, int index) : project_(project), saved_(project->CurrentIndex) {
    project_->CurrentIndex = index;
  }
  ~JournalSwitch() { project_->CurrentIndex = saved_; }
  JournalSwitch(const JournalSwitch&) = delete;
  JournalSwitch& operator=(const JournalSwitch&) = delete;

 private:
  Yproject* project_;
  int saved_;
};
