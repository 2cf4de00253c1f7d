#pragma once
#include <cstdint>
#include <string>

// The variables of the instruction script, process-wide and never reset:
// numeric variables N1 to N5 (initially 0) and string variables S1 to S10
// (initially empty).  By convention N1 is the success flag of the last find,
// verify or install and S1 (and S2) its results.  A number outside the
// bounds throws LauncherException.
constexpr int kNumericVariableCount = 5;
constexpr int kStringVariableCount = 10;

int32_t getNumber(int number);
void setNumber(int number, int32_t value);
std::string getText(int number);
void setText(int number, const std::string& text);
