#include "LineLength.h"

#include "ConversionEngine.h"

int g_nLineLength = velmora::kMaxLineLength;
