// What the data file must hold after a pass that ended early: the low bytes
// of the gaps of the complete listing lines that reached standard output.
#pragma once

#include <string>

inline std::string GezeigteAbstaende(const std::string& Text) {
  std::string Bytes;
  for (std::size_t a = 0, e; (e = Text.find('\n', a)) != std::string::npos;
       a = e + 1) {
    const std::string z = Text.substr(a, e - a);
    const auto Balken = z.find("\t|");
    if (Balken != std::string::npos) {
      const auto Tab = z.rfind('\t', Balken - 1);
      Bytes += static_cast<char>(std::stoul(z.substr(Tab + 1)) & 0xFF);
    }
  }
  return Bytes;
}
