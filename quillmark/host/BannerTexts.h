// The module's banner texts, stored in translated form (see translateBytes).
//   kLoadBannerA, kLoadBannerB   first two lines of the load banner (59 and 58 characters)
//   kCallBannerFirst/Second      the two lines printed at each LISP call (34 and 38 characters)
#pragma once

extern const char kLoadBannerA[];
extern const char kLoadBannerB[];
extern const char kCallBannerFirst[];
extern const char kCallBannerSecond[];
