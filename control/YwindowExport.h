#pragma once

// Marks what the library shows to its users: the control and its factory for hosts, and the
// plain parts (grid model, measures, graphic objects) that its tests drive without a window.
// Everything else in it, its own copies of the error trap and the platform layers included,
// stays hidden.
#define YWINDOW_EXPORT __attribute__((visibility("default")))
