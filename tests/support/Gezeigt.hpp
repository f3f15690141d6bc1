// What the data file must hold after a pass that ended early: the low bytes
// of the gaps of the complete listing lines that were shown.
#pragma once

#include <sstream>
#include <string>
#include <vector>

// A listing line is four fields (prime, largest gap, gap, bar from "|" on),
// separated by tabs as written, or by spaces as a console shows them.
inline std::string GezeigteAbstaende(const std::string& Text) {
  std::string Bytes;
  for (std::size_t a = 0, e; (e = Text.find('\n', a)) != std::string::npos;
       a = e + 1) {
    std::istringstream Zeile(Text.substr(a, e - a));
    std::vector<std::string> f;
    for (std::string w; Zeile >> w;) {
      f.push_back(w);
    }
    if (f.size() == 4 && f[3][0] == '|' &&
        f[2].find_first_not_of("0123456789") == std::string::npos) {
      Bytes += static_cast<char>(std::stoul(f[2]) & 0xFF);
    }
  }
  return Bytes;
}
