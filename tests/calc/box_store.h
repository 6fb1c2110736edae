// An in-memory stand-in for the window's boxes that records every access.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace box_store {

struct access {
  char kind;  // 'g' get, 's' set
  std::string box;
  std::string text;  // the text set, or the text got ("" for none)
  bool operator==(const access&) const = default;
};

extern std::map<std::string, std::string> boxes;  // a missing box is empty
extern std::vector<access> log;

void reset();

}  // namespace box_store
