// Placeholder entry until the main window lands: loads the start-up files from the
// working directory and prints the four scene names.
#include "scene/DefaultParams.h"
#include "scene/NoteNames.h"

#include <cstdio>
#include <exception>

int main()
{
    try {
        const auto params = korvo::LoadTextLines(korvo::DefaultParamsFileName);
        const auto notes = korvo::LoadTextLines(korvo::NoteNamesFileName);
        korvo::SceneBank bank;
        korvo::LoadDefaults(bank, params);
        for (const auto& scene : bank.Scenes)
            std::printf("%s\n", korvo::SceneNameText(scene).c_str());
        std::printf("%zu note names\n", notes.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvo-editor: %s\n", e.what());
        return 1;
    }
    return 0;
}
