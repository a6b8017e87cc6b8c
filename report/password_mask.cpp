#include "report/password_mask.h"

std::string MaskPassword(const std::string& text) {
  const std::string marker = "Dautologin.pwd=";
  std::string masked = text;
  for (size_t hit = masked.find(marker); hit != std::string::npos;
       hit = masked.find(marker, hit + marker.size())) {
    size_t valueStart = hit + marker.size();
    size_t blank = masked.find(' ', valueStart);
    size_t valueEnd = blank == std::string::npos ? masked.size() : blank;
    masked.replace(valueStart, valueEnd - valueStart, "xxxx");
  }
  return masked;
}
