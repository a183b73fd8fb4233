#pragma once

// The colours the views draw with, as the chart control takes them: 0xBBGGRR.
namespace ChartColors {

constexpr int kBlack = 0x000000;
constexpr int kWhite = 0xFFFFFF;
constexpr int kRed = 0x0000FF;
constexpr int kGreen = 0x00FF00;
constexpr int kBlue = 0xFF0000;
constexpr int kYellow = 0x00FFFF;
constexpr int kNavy = 0x800000;
constexpr int kDarkGreen = 0x008000;
constexpr int kDarkRed = 0x000080;

}  // namespace ChartColors
