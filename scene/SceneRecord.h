#pragma once
// One scene of the controller: the record the editor edits, the scene file holds
// byte for byte, and the device image is packed from.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvo {

inline constexpr int SceneNameMax = 12;
inline constexpr int GroupCount = 4;
inline constexpr int KnobCount = 4;
inline constexpr int SliderCount = 4;
inline constexpr int KeyCount = 25;
inline constexpr int PadCount = 8;

// Fixed 884-byte layout: a 16-byte counted name block, then 217 little-endian
// int32 values. The layout is the scene file format, so it must never change.
struct TSceneRecord {
    std::uint8_t SceneNameLength;          // 0..12 when written by the editor
    char SceneNameChars[SceneNameMax];     // bytes beyond the length keep old text
    std::uint8_t Padding[3];               // never written by the editor
    std::int32_t SceneMIDICh;
    std::int32_t PianoKeyCh;
    std::int32_t BendSpeed;                // shown speed - 1
    std::int32_t KeyTrans;                 // shown transpose + 13
    std::int32_t KeyVelocityCurve;
    std::int32_t KeyConstVelocity;
    std::int32_t PadVelocityCurve;
    std::int32_t PadConstVelocity;
    std::int32_t MIDICh[GroupCount];
    std::int32_t KonbEnable[KnobCount];
    std::int32_t KonbCCNumber[KnobCount];
    std::int32_t KonbURValue[KnobCount];
    std::int32_t KonbLLValue[KnobCount];
    std::int32_t SliderEnable[SliderCount];
    std::int32_t SliderCCNumber[SliderCount];
    std::int32_t SliderURValue[SliderCount];
    std::int32_t SliderLLValue[SliderCount];
    std::int32_t KeyAssignType[KeyCount];
    std::int32_t KeyCCNumber[KeyCount];
    std::int32_t KeyONValue[KeyCount];
    std::int32_t KeyOFFValue[KeyCount];
    std::int32_t KeyBehavior[KeyCount];
    std::int32_t PadAssignType[PadCount];
    std::int32_t PadCCNumber[PadCount];
    std::int32_t PadONValue[PadCount];
    std::int32_t PadOFFValue[PadCount];
    std::int32_t PadBehavior[PadCount];
    std::int32_t PadMIDICh[PadCount];
};

// The record is copied to and from files as raw bytes.
static_assert(std::endian::native == std::endian::little,
              "scene records are stored little-endian; a big-endian port needs byte swapping");
static_assert(sizeof(TSceneRecord) == 884);
static_assert(offsetof(TSceneRecord, SceneNameLength) == 0);
static_assert(offsetof(TSceneRecord, SceneNameChars) == 1);
static_assert(offsetof(TSceneRecord, Padding) == 13);
static_assert(offsetof(TSceneRecord, SceneMIDICh) == 16);
static_assert(offsetof(TSceneRecord, PianoKeyCh) == 20);
static_assert(offsetof(TSceneRecord, BendSpeed) == 24);
static_assert(offsetof(TSceneRecord, KeyTrans) == 28);
static_assert(offsetof(TSceneRecord, KeyVelocityCurve) == 32);
static_assert(offsetof(TSceneRecord, KeyConstVelocity) == 36);
static_assert(offsetof(TSceneRecord, PadVelocityCurve) == 40);
static_assert(offsetof(TSceneRecord, PadConstVelocity) == 44);
static_assert(offsetof(TSceneRecord, MIDICh) == 48);
static_assert(offsetof(TSceneRecord, KonbEnable) == 64);
static_assert(offsetof(TSceneRecord, KonbCCNumber) == 80);
static_assert(offsetof(TSceneRecord, KonbURValue) == 96);
static_assert(offsetof(TSceneRecord, KonbLLValue) == 112);
static_assert(offsetof(TSceneRecord, SliderEnable) == 128);
static_assert(offsetof(TSceneRecord, SliderCCNumber) == 144);
static_assert(offsetof(TSceneRecord, SliderURValue) == 160);
static_assert(offsetof(TSceneRecord, SliderLLValue) == 176);
static_assert(offsetof(TSceneRecord, KeyAssignType) == 192);
static_assert(offsetof(TSceneRecord, KeyCCNumber) == 292);
static_assert(offsetof(TSceneRecord, KeyONValue) == 392);
static_assert(offsetof(TSceneRecord, KeyOFFValue) == 492);
static_assert(offsetof(TSceneRecord, KeyBehavior) == 592);
static_assert(offsetof(TSceneRecord, PadAssignType) == 692);
static_assert(offsetof(TSceneRecord, PadCCNumber) == 724);
static_assert(offsetof(TSceneRecord, PadONValue) == 756);
static_assert(offsetof(TSceneRecord, PadOFFValue) == 788);
static_assert(offsetof(TSceneRecord, PadBehavior) == 820);
static_assert(offsetof(TSceneRecord, PadMIDICh) == 852);

// Stores a name: writes the length byte and the first min(length, 12) characters.
// Character bytes beyond the new length keep what they held.
void StoreSceneName(TSceneRecord& record, std::string_view name);

// The name as shown: the characters up to the length byte. A length byte above 12
// (possible in a scene file) shows all 12 characters and never reads past them.
std::string SceneNameText(const TSceneRecord& record);

} // namespace korvo
