#pragma once

#include <memory>

class MainForm;
class Yproject;
class Ytask;

// What the benchmarks of the windows share: the application object, made once, offscreen, and
// the program with a large project (10,000 tasks and 200 resources unless told) solved on a
// journal two months after its start, active and shown in the project tree.
namespace bench {

void StartApplication();
// Lets the window system and timers run for a moment.
void RunEvents(int milliseconds);

// The program with the large project; the main window and the model go when it does.
struct Program {
  explicit Program(int tasks = 10000, int resources = 200);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  std::unique_ptr<MainForm> main;
  Yproject* project = nullptr;
  Ytask* middle = nullptr;
};

}  // namespace bench
