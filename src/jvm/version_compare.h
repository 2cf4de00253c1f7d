#pragma once
#include <string>
#include <vector>

// Compares two version texts as dotted numbers: below zero when `a` is the
// older, zero when they are the same version, above zero when `a` is the
// newer.  Parts are separated by ".", "_", "-" or "+"; a leading "1" before
// a numeric part is dropped, so "1.8" is 8.  Numeric parts compare by
// value, whatever their length; a missing part is 0, so "17" and "17.0" are
// the same and "17.0.2" is newer; a part that is not a number is older than
// any number, missing ones too ("21-ea" before "21"), and two such parts
// compare as text.
int compareVersions(const std::string& a, const std::string& b);

// Orders names such as the registry subkeys of installed JVMs ("8.0.402",
// "17.0.12", "21") newest version first, by compareVersions; names of the
// same version keep their order.
void sortNewestVersionFirst(std::vector<std::string>& names);
