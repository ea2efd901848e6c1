// LispPrinter: values as the host's command line shows them.
//   prin1 form: "CHAIR" (quotes, \" \\ \n \r \t \e and \nnn escapes), 12, 1.5, 2.0,
//               1.0e+20, nil, T, (1 2 (3)), (1 . 2), #<SUBR CAR>, #<EXSUBR BLOCK-LIST>
//   princ form: the same with strings as their bare bytes
// "No value" prints as nothing. Lists nested deeper than kMaxDepth print as (...).
#pragma once

#include "arx/lisp/LispValue.h"

#include <string>

std::string lispPrin1(const LispRef& value);
std::string lispPrinc(const LispRef& value);
// A real number as the command line shows it: six significant digits, always with a
// decimal point.
std::string lispFormatReal(double value);

const int kLispMaxPrintDepth = 1000;
