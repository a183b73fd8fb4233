#pragma once

#include <QList>

#include <cstdint>

class Yproject;
class Ytemplate;

// Realistic sets of projects for measuring and testing the solver: one template of resources on
// the standard shift (Monday to Friday) and projects of tasks in chains and fan-outs, each task
// staffed by one to three resources, joined by a few links across projects. The same size and
// seed always give the same set.
namespace generator {

struct WorkloadSize {
  int tasks = 1000;            // tasks over all projects, not counting each project's finish
  int resources = 20;
  int tasksPerProject = 500;
  std::uint32_t seed = 1;
};

struct Workload {
  Ytemplate* templ = nullptr;
  QList<Yproject*> projects;
  int tasks = 0;        // every task made, finishes included
  int assignments = 0;
  int dependencies = 0;
};

// Fills the (empty) model: template "Staff" with its shift "Day" and the resources, then the
// projects "Project 01", "Project 02", ... Each project starts on Monday 1 January 2024, ends in
// one finish task that waits for every task nothing else in the project waits for, and is solved
// under "Normal only, extend if more needed" or "Normal and overtime, extend if more needed".
// The first project and the template become the active ones.
Workload GenerateWorkload(const WorkloadSize& size);

}  // namespace generator
