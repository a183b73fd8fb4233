#pragma once

namespace Views {

// The step of a value axis with at most ten steps up to the largest value: the first of 1, 2, 5,
// 10, 20, 50, ... whose ten steps reach it (1 for a largest value of 10 or less).
double OneTwoFiveStep(double largest);

}  // namespace Views
