// Prints the licence terms that the licence window shows, for the installed copyright file.

#include "contents/texts.h"

#include <cstdio>

int main() { return std::fputs(lumaro::kLicenceText, stdout) < 0 || std::fflush(stdout) != 0; }
