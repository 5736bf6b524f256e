#pragma once

#include <span>

// Properties and the categories the inspector lists them under when it
// arranges its rows by category, in installation order, as "Name=Category".
std::span<const char *const> CategoryTable();
