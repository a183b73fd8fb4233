#include "CaseName.h"

namespace testsupport {

std::string TestName(std::string_view label) {
  std::string name(label);
  for (char& c : name) {
    const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!kept) c = '_';
  }
  return name;
}

}  // namespace testsupport
