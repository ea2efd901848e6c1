#include "quillmark/host/BannerTexts.h"

// Each text is what translateBytes turns into the line shown on the command line.
const char kLoadBannerA[] = "M)5221=,3~mpn~\\9*=l~q~<2/;3~<,/'+9,~'5*6~'5,9q8,=19~.,9(59'";
const char kLoadBannerB[] = "J%.9~v\\RO[SqRUKJu~/,~v\\RO[SqXURY~C.=*6Au~*/~<,/'+9~<2/;3+p";
const char kCallBannerFirst[] = "M)5221=,3~<2/;3~<,/'+9,~mpn~\\9*=lp";
const char kCallBannerSecond[] = "[6//+9~=~<2/;3c~OS~75(9+~<=;3~5*+~0=19";
