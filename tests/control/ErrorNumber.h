#pragma once

#include "RuntimeError.h"

// The run-time error number a step fails with; 0 when it succeeds.
template <class Step>
int ErrorNumber(Step&& step) {
  try {
    step();
  } catch (const praxel::RuntimeError& error) {
    return error.Number();
  }
  return 0;
}
