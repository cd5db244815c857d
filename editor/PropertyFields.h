#pragma once
// Where each property editor stores its value: the field of the current record
// that the control index names. Every lookup gives nothing for an index that is
// not of the editor's kind, so no edit can land outside its own array.

#include "scene/SceneRecord.h"

#include <cstdint>

namespace korvo {

enum class KnobField { Enable, CCNumber, URValue, LLValue };
enum class PadField { AssignType, CCNumber, ONValue, OFFValue, Behavior, MIDICh };
enum class KeyField { AssignType, CCNumber, ONValue, OFFValue, Behavior };

// MIDICh[i - 1] for a group entry (1..4).
std::int32_t* GroupChannelField(TSceneRecord& r, int controlIndex);
// The knob arrays for entries 5..8, the slider arrays for 9..12.
std::int32_t* KnobOrSliderField(TSceneRecord& r, int controlIndex, KnobField field);
// The pad arrays for entries 13..20.
std::int32_t* PadFieldAt(TSceneRecord& r, int controlIndex, PadField field);
// The key arrays for entries 21..45.
std::int32_t* KeyFieldAt(TSceneRecord& r, int controlIndex, KeyField field);

// value + offset in 32-bit two's complement, as the record stores it (a typed
// number near the limits wraps instead of overflowing).
constexpr std::int32_t WrappedSum(std::int64_t value, std::int64_t offset)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value + offset));
}

} // namespace korvo
