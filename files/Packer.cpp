#include "Packer.h"
