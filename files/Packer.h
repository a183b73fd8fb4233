#pragma once

// Packed files: the streaming writer and reader, and the whole-buffer helpers over them
// (PackBytes and UnpackBytes of Packing.h, defined in Packer.cpp).

#include "PackDecoder.h"
#include "PackEncoder.h"
#include "Packing.h"
