// Writes pictures as uncompressed 24-bit Windows BMP files.
#pragma once

#include <string>

#include "image.h"

void WriteBmp(const std::string& path, const Image& image);
