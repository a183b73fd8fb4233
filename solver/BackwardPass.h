#pragma once

class Ytask;

// The backward pass: after the forward pass, every slice of the solve order and every task with
// slices gets late dates, the latest it may start and finish without moving the finish of its
// project family as the plan journal holds it. A predecessor must finish by the late start of
// each slice that waits for it, less the dependency's offset. Polls before each slice of its
// walks; stopped early, the late dates are partly of the previous solve until the solve reruns.
namespace Solve {

void ReverseSolve();

// The Offset of the first included dependency of the dependent task on the required task whose
// percentages are exactly those given; 0 when there is none.
double FindOffset(const Ytask* required, int fromPercent, const Ytask* dependent, int toPercent);

}  // namespace Solve
