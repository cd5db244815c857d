#include "scene/DefaultParams.h"

#include "scene/WholeNumber.h"

#include <algorithm>

namespace korvo {

namespace {

std::string UpperCaseAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Fills scene fields from the defaults. "All" keys give every element of the
// field in every scene; numbered keys give one element in every scene.
class DefaultsWriter {
public:
    DefaultsWriter(SceneBank& bank, const DefaultParams& params) : bank_(bank), params_(params) {}

    std::int32_t Number(const std::string& key, std::int32_t fallback) const
    {
        return WholeNumberOr(FindValue(params_, key), fallback);
    }

    void All(std::int32_t TSceneRecord::*field, const std::string& key, std::int32_t fallback = 0,
             std::int32_t offset = 0)
    {
        // Wraps like the 32-bit record field instead of overflowing.
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(Number(key, fallback)) +
                                                     static_cast<std::uint32_t>(offset));
        for (auto& scene : bank_.Scenes)
            scene.*field = value;
    }

    template <std::size_t N>
    void All(std::int32_t (TSceneRecord::*field)[N], const std::string& key)
    {
        const std::int32_t value = Number(key, 0);
        for (auto& scene : bank_.Scenes)
            std::fill(std::begin(scene.*field), std::end(scene.*field), value);
    }

    template <std::size_t N>
    void Numbered(std::int32_t (TSceneRecord::*field)[N], const std::string& key)
    {
        for (std::size_t n = 1; n <= N; ++n) {
            const std::int32_t value = Number(key + std::to_string(n), 0);
            for (auto& scene : bank_.Scenes)
                (scene.*field)[n - 1] = value;
        }
    }

    void Names()
    {
        for (int s = 1; s <= SceneCount; ++s) {
            const auto name = UpperCaseAscii(FindValue(params_, "SceneName" + std::to_string(s)));
            StoreSceneName(bank_.Scenes[static_cast<std::size_t>(s - 1)], name);
        }
    }

private:
    SceneBank& bank_;
    const DefaultParams& params_;
};

} // namespace

std::string FindValue(const DefaultParams& params, std::string_view key)
{
    for (const auto& line : params) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && SameTextIgnoringCase(std::string_view(line).substr(0, eq), key))
            return line.substr(eq + 1);
    }
    return {};
}

void LoadDefaults(SceneBank& bank, const DefaultParams& params)
{
    using R = TSceneRecord;
    DefaultsWriter w(bank, params);
    w.Names();
    w.All(&R::SceneMIDICh, "SceneMIDICh");
    w.All(&R::PianoKeyCh, "PianoKeyCh");
    w.All(&R::BendSpeed, "BendSpeed", 1, -1); // the file holds the shown speed
    w.All(&R::KeyTrans, "KeyTrans");          // the file holds the stored form
    w.All(&R::KeyVelocityCurve, "KeyVelocityCurve");
    w.All(&R::KeyConstVelocity, "KeyConstVelocity");
    w.All(&R::PadVelocityCurve, "PadVelocityCurve");
    w.All(&R::PadConstVelocity, "PadConstVelocity");
    w.All(&R::MIDICh, "MIDICh");
    w.All(&R::KonbEnable, "KonbEnable");
    w.Numbered(&R::KonbCCNumber, "KonbCCNumber");
    w.All(&R::KonbURValue, "KonbURValue");
    w.All(&R::KonbLLValue, "KonbLLValue");
    w.All(&R::SliderEnable, "SliderEnable");
    w.Numbered(&R::SliderCCNumber, "SliderCCNumber");
    w.All(&R::SliderURValue, "SliderURValue");
    w.All(&R::SliderLLValue, "SliderLLValue");
    w.All(&R::PadAssignType, "PadAssignType");
    w.Numbered(&R::PadCCNumber, "PadCCNumber");
    w.All(&R::PadONValue, "PadONValue");
    w.All(&R::PadOFFValue, "PadOFFValue");
    w.All(&R::PadBehavior, "PadBehavior");
    w.All(&R::PadMIDICh, "PadMIDICh");
    w.All(&R::KeyAssignType, "KeyAssignType");
    w.Numbered(&R::KeyCCNumber, "KeyCCNumber");
    w.All(&R::KeyONValue, "KeyONValue");
    w.All(&R::KeyOFFValue, "KeyOFFValue");
    w.All(&R::KeyBehavior, "KeyBehavior");
}

namespace {

std::int32_t TransferSetting(const DefaultParams& params, std::string_view key, std::int32_t fallback)
{
    const auto value = FindValue(params, key);
    return WholeNumberOr(TrimBlanksAndControls(value), fallback);
}

} // namespace

std::int32_t SceneDataLen(const DefaultParams& params)
{
    return TransferSetting(params, "SceneDataLen", SceneDataLenFallback);
}

std::int32_t BlockAddOne(const DefaultParams& params)
{
    return TransferSetting(params, "BlockAddOne", BlockAddOneFallback);
}

} // namespace korvo
