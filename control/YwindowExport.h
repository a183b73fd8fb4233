#pragma once

// The library's public interface; everything else in it stays hidden.
#define YWINDOW_EXPORT __attribute__((visibility("default")))
