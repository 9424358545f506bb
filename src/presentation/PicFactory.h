#pragma once

#include "presentation/Picture.h"

#include <string>

// The shared picture cache: every picture is read once per run from "imgs\" + name + ".png"
// and then handed to every user. Users that move or anchor a picture set its position and
// centre again before each drawing, because others share it.
class PicFactory {
public:
    // Never null. A file that cannot be read gives an empty picture, which is cached too, so
    // the file is tried (and reported) only once.
    static facade::Picture* GetPicture(const std::string& name);
    static std::string PathOf(const std::string& name) { return "imgs\\" + name + ".png"; }
};
