#pragma once

#include <string>

// Turns a row's edit mask ("!90/00/0000;1;_": mask characters, a flag for
// saving literals and the blank character) into the toolkit's input-mask
// syntax. Mask characters: 0 digit, 9 optional digit, # digit or sign,
// L letter, l optional letter, A alphanumeric, a optional alphanumeric,
// C any character, c optional character, > upper case, < lower case,
// <> no case change, \ literal next, ! trim (dropped); ':' and '/' are
// literal separators. An empty mask gives an empty input mask.
std::string RSMaskToInputMask(const std::string &mask);
