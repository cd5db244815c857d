#pragma once
// What the Communication commands tell the user.

namespace korvo {

inline constexpr const char* DeviceNotFoundText = "Korvo Device is not exist.";
inline constexpr const char* ConfirmReadText = "Are you sure to read data from device?";
inline constexpr const char* ConfirmSendText = "Are you sure to send data?";
inline constexpr const char* ReadOkText = "Read data OK.";
inline constexpr const char* SendOkText = "Send data OK.";
// A transfer that fails after the controller was found.
inline constexpr const char* ReadFailedText = "Read data failed.";
inline constexpr const char* SendFailedText = "Send data failed.";

} // namespace korvo
