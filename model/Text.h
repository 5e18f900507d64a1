// The model's texts are Windows-1252 bytes (the degree sign of "°C" is 0xB0);
// files meant for other programs and text printed in a shell are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace bxl {

// Windows-1252 text as UTF-8. The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string utf8FromCp1252(std::string_view cp1252);

}  // namespace bxl
