#pragma once
#include <string>
#include <vector>

// Orders names such as registry subkeys of installed JVMs ("8.0.402",
// "17.0.12", "21") newest version first.  The names are compared part by
// part between the dots; within a part, runs of digits compare as numbers
// and come before any other text ("21.0.4" before "21.x", "1.8.0_402"
// before "1.8.0_92", "zulu-17" before "zulu-8"), while two texts tell no
// version apart; a name that ends where the other goes on is the older
// ("21" after "21.0.4").  Names that compare equal keep their order.
void sortNewestVersionFirst(std::vector<std::string>& names);
