#pragma once

#include "ErrTrap.h"
#include "Prompter.h"

#include <QString>

#include <utility>

namespace ErrTrap {

// A guarded procedure. Make one at the top of the procedure with its location, then run its
// statements as steps; write each step so that running it again is safe.
//
//   Guard guard(QStringLiteral("Main:OpenBundle"));
//   guard([&] { file.Open(path); });
//   guard([&] { ReadRecords(file); });
//
// When a step fails, the trap asks the user: Retry runs the step again, Ignore goes on after it,
// Abort passes the chain up to the caller. In an event handler (a site made with Handler) Abort
// ends the chain, and every later step of the handler is skipped, so no exception reaches Qt's
// event loop: keep all of a handler's work inside its steps.
//
//   Guard guard(Handler(QStringLiteral("Main:FileOpenMenu_Click")));
class Guard {
 public:
  explicit Guard(Site site) : site_(std::move(site)) {}
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

  template <class Step>
  void operator()(Step&& step) {
    while (!left_) {
      try {
        step();
        return;
      } catch (...) {
        const int answer = TrapError(site_);
        if (answer == praxel::AnswerIgnore) return;
        if (answer != praxel::AnswerRetry) left_ = true;
      }
    }
  }

  // True once an event handler's chain has ended: the handler is to be left.
  bool Left() const { return left_; }

 private:
  Site site_;
  bool left_ = false;
};

// A procedure that is one step.
template <class Body>
void Guarded(Site site, Body&& body) {
  Guard guard(std::move(site));
  guard(std::forward<Body>(body));
}

}  // namespace ErrTrap
