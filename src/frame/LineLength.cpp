#include "LineLength.h"

int g_nLineLength = velmora::kMaxLineLengthSetting;
