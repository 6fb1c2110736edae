#include "box_store.h"

#include "calc/control_text.h"

namespace box_store {
std::map<std::string, std::string> boxes;
std::vector<access> log;
void reset() {
  boxes.clear();
  log.clear();
}
}  // namespace box_store

namespace calc {

std::optional<std::string> get_control_text(std::string_view control_name) {
  const auto found = box_store::boxes.find(std::string(control_name));
  const bool empty = found == box_store::boxes.end() || found->second.empty();
  box_store::log.push_back({'g', std::string(control_name), empty ? "" : found->second});
  if (empty) return std::nullopt;
  return found->second;
}

void set_control_text(std::string_view control_name, std::string_view text) {
  box_store::log.push_back({'s', std::string(control_name), std::string(text)});
  box_store::boxes[std::string(control_name)] = std::string(text);
}

}  // namespace calc
