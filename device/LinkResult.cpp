#include "device/LinkResult.h"

#include "device/LinkMessages.h"
#include "scene/ImagePlace.h"

#include <array>
#include <utility>

namespace korvo {

namespace {

// One sentence per status. {command}: "read" or "write"; {transfer}: "read" or
// "send"; {n} and {m}: the request and how many there were; {place}: the image
// byte named by scene, control and field.
constexpr std::array<std::pair<LinkStatus, const char*>, 15> Reasons = {{
    {LinkStatus::Ok, ""},
    {LinkStatus::NoMidiService, NoMidiServiceText},
    {LinkStatus::DeviceNotFound, DeviceNotFoundText},
    {LinkStatus::NoCommandReply, "The controller did not answer the {command} command."},
    {LinkStatus::NoReply, "No reply to request {n} of {m}."},
    {LinkStatus::WrongEcho, "The controller's first answer to the {command} command was not its echo."},
    {LinkStatus::NoBlocks, "The controller announced no scene data to read."},
    {LinkStatus::UnaskedMessage, "A message that was not asked for arrived during the {transfer} (a key, knob, "
                                 "slider or pad moved on the controller)."},
    {LinkStatus::NoAcknowledgement, "The controller did not acknowledge block {n} of {m}."},
    {LinkStatus::WrongAcknowledgement, "The controller answered block {n} of {m} with something else than its "
                                       "acknowledgement."},
    {LinkStatus::PortGone, "The MIDI port went away (the controller unplugged)."},
    {LinkStatus::ServiceStopped, "The MIDI service stopped."},
    {LinkStatus::SendRefused, "The MIDI service did not take message {n} of the {transfer}."},
    {LinkStatus::Cancelled, "Cancelled."},
    {LinkStatus::ImageDiffers, "The controller holds something else at {place}."},
}};

void Replace(std::string& text, const std::string& field, const std::string& value)
{
    const auto at = text.find(field);
    if (at != std::string::npos)
        text.replace(at, field.size(), value);
}

} // namespace

std::string ReasonText(const LinkResult& result)
{
    std::string text;
    for (const auto& [status, sentence] : Reasons)
        if (status == result.Status)
            text = sentence;
    const bool writing = result.Command == LinkCommand::Write;
    Replace(text, "{command}", writing ? "write" : "read");
    Replace(text, "{transfer}", writing ? "send" : "read");
    Replace(text, "{n}", std::to_string(result.Request));
    Replace(text, "{m}", std::to_string(result.Requests));
    if (result.ImageOffset >= 0)
        Replace(text, "{place}", DescribeImagePlace(result.ImageOffset));
    // A failure of the read that checks a send says so.
    if (result.Command == LinkCommand::ReadBack && result.Status != LinkStatus::ImageDiffers && !text.empty() &&
        text.back() == '.')
        text.insert(text.size() - 1, " while reading the sent scenes back");
    return text;
}

} // namespace korvo
