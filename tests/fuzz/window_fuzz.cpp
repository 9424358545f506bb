// The window settings: a usable size, title and icon, or a refusal with the file's path.
#include "FuzzSupport.h"
#include "core/Initializer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Setup();
    fuzz::WriteFile("Settings/WindowApp.data", data, size);
    try {
        const auto settings = Initializer::ReadWindowSettings("Settings\\WindowApp.data");
        fuzz::Check(settings.width >= 1 && settings.width <= 8192 && settings.height >= 1 &&
                        settings.height <= 8192,
                    "a window size out of range was accepted");
    } catch (const FileError& error) {
        fuzz::CheckErrorLines(std::string("refused: ") + error.what(), "Settings\\WindowApp.data");
    }
    return 0;
}
