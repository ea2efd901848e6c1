// CommandPrompt: the host's command line: LISP expressions and registered commands
// read from standard input at a "Command: " prompt until the input ends.
#pragma once

#include <cstdio>
#include <string>

// Evaluates one LISP text in the current document and prints its result (or the
// error line) followed by a new line, as the command line shows it.
void evaluateAndPrint(const std::string& text);

// Reads commands from `input` until its end. A line starting with "(" is LISP (it
// may go on over several lines until its lists close), "!" followed by LISP prints
// a value, any other word runs the registered command of that name.
void runCommandPrompt(std::FILE* input);
