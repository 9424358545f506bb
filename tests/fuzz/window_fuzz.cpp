// The window settings: the first line gives a usable size, title and icon, or the file is
// refused with its path and line.

#include "FuzzSupport.h"
#include "core/FileError.h"
#include "core/Initializer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnterWorkFolder();
    const std::string path = "Settings\\WindowApp.data";
    fuzz::WriteFile("Settings/WindowApp.data", data, size);
    try {
        const Initializer::WindowSettings settings = Initializer::ReadWindowSettings(path);
        fuzz::Check(settings.width >= 1 && settings.width <= 8192 && settings.height >= 1 &&
                        settings.height <= 8192,
                    "a window size out of range was accepted");
        fuzz::Check(settings.title.find(' ') == std::string::npos &&
                        settings.icon.find(' ') == std::string::npos,
                    "a title or icon holds a blank");
    } catch (const FileError& error) {
        fuzz::CheckFileErrorText(error.what(), path);
    }
    return 0;
}
