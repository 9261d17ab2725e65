// Command texts of reminders, launcher menus, file associations and the phone book: a program
// path, optionally followed by "?" and its parameters.
#pragma once
#include <string>

struct CommandText {
    std::string program, parameters;
    std::string folder;  // the program's folder, where it runs; empty for a bare name
};

// Splits at the first "?". Without one, or with nothing before it, the whole text (or the whole
// text after the "?") is the program and there are no parameters. Parameters keep at most 1024
// bytes, never ending in half a character.
CommandText SplitCommandText(const std::string& text);
