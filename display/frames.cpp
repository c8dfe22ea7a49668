#include "display/frames.h"
