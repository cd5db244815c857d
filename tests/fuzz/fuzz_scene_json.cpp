// Any bytes as the JSON form of the scenes. A text that reads must write back to
// JSON that reads again, onto any base, to the very same records.
#include "scene/DefaultParams.h"
#include "scenetext/SceneJson.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

const korvo::NoteNames& Notes()
{
    static const korvo::NoteNames notes = korvo::LoadTextLines(KORVO_DATA_DIR "/NotePara.ini");
    return notes;
}

const korvo::SceneBank& Defaults()
{
    static const korvo::SceneBank bank = [] {
        korvo::SceneBank b;
        korvo::LoadDefaults(b, korvo::LoadTextLines(KORVO_DATA_DIR "/DefPara.ini"));
        return b;
    }();
    return bank;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    korvo::SceneBank bank = Defaults();
    try {
        korvo::ReadSceneJson(text, Notes(), bank);
    } catch (const korvo::SceneJsonError&) {
        if (std::memcmp(&bank.Scenes, &Defaults().Scenes, sizeof bank.Scenes) != 0)
            __builtin_trap(); // a failed read changed the scenes
        return 0;
    }
    const std::string written = korvo::WriteSceneJson(bank, Notes());
    korvo::SceneBank again; // zero: a base unlike the defaults
    try {
        korvo::ReadSceneJson(written, Notes(), again);
    } catch (const korvo::SceneJsonError&) {
        __builtin_trap(); // what was written does not read
    }
    if (std::memcmp(&bank.Scenes, &again.Scenes, sizeof bank.Scenes) != 0)
        __builtin_trap(); // the round trip lost something
    return 0;
}
