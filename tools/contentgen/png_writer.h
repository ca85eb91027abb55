// PNG files with transparency through libpng, for the desktop icons.
#pragma once

#include <string>

#include "image.h"

// The same picture painted on black and on white: where they differ the picture is see-through.
void WritePng(const std::string& path, const Image& on_black, const Image& on_white);
