#include "display/text_fitting.h"
