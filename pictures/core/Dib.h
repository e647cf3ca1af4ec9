// Dib.h: bitmaps kept as program resources, which hold a device-independent bitmap without the
// file header that a bitmap file starts with.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

class EDibError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The bytes of a bitmap file holding the given bitmap: a 14-byte file header that says where the
// pixels start, then the bytes as given. Throws EDibError when they do not begin with an
// information header of 40 bytes or more, or end before its palette does.
std::string BitmapFileOfDib(std::string_view dib);
