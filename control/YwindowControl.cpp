#include "YwindowControl.h"

YwindowControl::YwindowControl(QWidget* parent) : QWidget(parent) {}

YwindowControl::~YwindowControl() = default;
