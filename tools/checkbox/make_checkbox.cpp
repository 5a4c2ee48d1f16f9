// Writes the check box pictures into a folder (by default the forms folder beside this tool):
// Checkbox.bmp, Ttfont.bmp and Devicefont.bmp.
#include "controls/CheckboxArt.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : std::string(PELORINE_FORMS_DIR);
    const std::pair<const char*, std::string> files[] = {
        {"/Checkbox.bmp", checkbox_art::CheckBoxStrip()},
        {"/Ttfont.bmp", checkbox_art::TrueTypeFontPicture()},
        {"/Devicefont.bmp", checkbox_art::DeviceFontPicture()},
    };
    for (const auto& [name, bytes] : files) {
        std::ofstream out(folder + name, std::ios::binary);
        if (!out.write(bytes.data(), std::streamsize(bytes.size()))) {
            std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), name);
            return 1;
        }
    }
    return 0;
}
