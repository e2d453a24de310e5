// The description of the MIDI output devices that the session log and the
// diagnostic export carry.
#pragma once

#include <cstdint>

// Number of MIDI output devices of the system.
uint32_t GetMidiDeviceCount();
// "Name ..., vendor ..., product ..., tech ..., voices ..., notes ...,
// channels ..., support ..." for a device (kMidiMapper for the mapper), or
// "invalid" when the device cannot be described.  One module buffer: the
// next call overwrites it.
const char16_t *GetMidiDeviceText(uint32_t deviceId);
// "MIDI Mapper: " and the mapper's text, then one "MIDI device " line per
// device role; a temporary string.
const char16_t *GetMidiDeviceReport();
// The roles the program gives MIDI devices, each named by its settings key.
uint32_t GetMidiDeviceRoleCount();
const char16_t *GetMidiDeviceRoleKey(uint32_t role);
