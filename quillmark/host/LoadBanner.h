// The load banner: four lines printed when the module initialises, after the
// settings file has been read.
#pragma once

// readSettings("TOLK_DCL") (its result unused), then printBanner(print).
void loadSettingsAndBanner(int (*print)(const char*));
// Prints the banner's four lines, one call of `print` each.
void printBanner(int (*print)(const char*));
