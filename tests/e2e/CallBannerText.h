// The two call-banner lines as the command line shows them, made from the module's
// stored texts by the module's own translation.
#pragma once

#include <string>

std::string callBannerLine(int which); // 0: the first line, 1: the second
