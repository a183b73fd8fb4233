#pragma once

#include <memory>

class MainForm;
class Yproject;
class Ytask;

// What the benchmarks of the windows share: the application object, made once, offscreen, and
// the program with a project of 10,000 tasks (200 resources) solved on a journal two months after
// its start, active and shown in the project tree.
namespace bench {

void StartApplication();
// Lets the window system and timers run for a moment.
void RunEvents(int milliseconds);

// The program with the large project; the main window and the model go when it does.
struct Program {
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  std::unique_ptr<MainForm> main;
  Yproject* project = nullptr;
  Ytask* middle = nullptr;
};

}  // namespace bench
