// Loading a reminder or memo picture (.BMP directly, .JPG through the shared JPEG window).
#pragma once
#include <string>

#include "toolkit/Graphics.h"

// False when the file has another extension, cannot be read or decoded, or the JPEG codec is
// busy: the caller then goes on as if there were no picture. picture changes only on success.
bool LoadPicture(const std::string& path, tk::TBitmap& picture);
