#pragma once
// What the editor remembers about the link to the controller between runs: the
// MIDI service chosen, whether a send is verified, and the pair of ports that
// answered the last search.

#include "device/FindDevice.h"
#include "device/MidiService.h"

namespace korvo {

MidiService StoredMidiService();
void StoreMidiService(MidiService service);

bool StoredVerifyAfterSend();
void StoreVerifyAfterSend(bool on);

// Empty names when none is stored.
DevicePair StoredDevicePair();
void StoreDevicePair(const DevicePair& pair);

} // namespace korvo
