#pragma once
// What the Communication commands tell the user.

namespace korvo {

inline constexpr const char* DeviceNotFoundText = "Korvo Device is not exist.";
inline constexpr const char* NoMidiServiceText = "No MIDI service is available (ALSA sequencer or JACK).";
inline constexpr const char* ConfirmReadText = "Are you sure to read data from device?";
inline constexpr const char* ConfirmSendText = "Are you sure to send data?";
inline constexpr const char* ReadOkText = "Read data OK.";
inline constexpr const char* SendOkText = "Send data OK.";
// The second line after a send that was read back and found equal.
inline constexpr const char* SendVerifiedText = "The controller holds the sent scenes.";
// A transfer that fails after the controller was found; a second line gives the
// reason (ReasonText).
inline constexpr const char* ReadFailedText = "Read data failed.";
inline constexpr const char* SendFailedText = "Send data failed.";

// What each stage of a command shows beside the progress bar.
inline constexpr const char* SearchingStageText = "Searching for the controller";
inline constexpr const char* ReadingStageText = "Reading scene data";
inline constexpr const char* SendingStageText = "Sending scene data";
inline constexpr const char* CheckingStageText = "Reading the sent scenes back";

} // namespace korvo
