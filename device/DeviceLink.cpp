#include "device/DeviceLink.h"

#include "device/ImageComparison.h"
#include "device/ProtocolMessages.h"
#include "device/ReceiveSceneData.h"
#include "device/TransmitSceneData.h"

namespace korvo {

namespace {

WaitLimits Limits(const DeviceLink& link) { return {link.ReplyWait, &link.CancelRequested}; }

// A controller that stopped answering, or a send the service refused: says so
// when its ports or the service itself have gone.
LinkResult ExplainSilence(DeviceLink& link, LinkResult result)
{
    switch (result.Status) {
    case LinkStatus::NoCommandReply:
    case LinkStatus::NoReply:
    case LinkStatus::NoAcknowledgement:
    case LinkStatus::SendRefused:
        break;
    default:
        return result;
    }
    if (!link.Ports)
        return result;
    switch (link.Ports->Presence(link.Handles.Names.Output, link.Handles.Names.Input)) {
    case PortPresence::Gone:
        result.Status = LinkStatus::PortGone;
        break;
    case PortPresence::ServiceGone:
        result.Status = LinkStatus::ServiceStopped;
        break;
    case PortPresence::Present:
        break;
    }
    return result;
}

} // namespace

DeviceLink::DeviceLink(std::unique_ptr<MidiPorts> ports) : Ports(std::move(ports)) {}

LinkResult FindDevice(DeviceLink& link, const DevicePair& preferredPair)
{
    const DevicePair preferred = preferredPair; // may be link.Found itself
    link.Found = {};
    if (!link.Ports)
        return {LinkStatus::NoMidiService};
    LinkResult result = FindDevice(*link.Ports, link.Handles, link.Ring, IdentityReply, preferred, Limits(link));
    if (result.Ok())
        link.Found = link.Handles.Names;
    return result;
}

LinkResult ReceiveSceneData(DeviceLink& link, std::int32_t length, std::int32_t blockAddOne,
                            const TransferProgress& progress)
{
    return ExplainSilence(link, ReceiveSceneData(link.Handles.MidiOutHandle.get(), link.Ring, length, blockAddOne,
                                                 link.ImageBuffer, progress, Limits(link)));
}

LinkResult TransmitSceneData(DeviceLink& link, std::int32_t length, const TransferProgress& progress)
{
    return ExplainSilence(link, TransmitSceneData(link.Handles.MidiOutHandle.get(), link.Ring, length,
                                                  link.ImageBuffer, progress, Limits(link)));
}

LinkResult VerifySentImage(DeviceLink& link, std::int32_t length, std::int32_t blockAddOne,
                           const TransferProgress& progress)
{
    link.ReadBackBuffer = link.ImageBuffer; // beyond what the controller sends back, nothing differs
    LinkResult result = ExplainSilence(link, ReceiveSceneData(link.Handles.MidiOutHandle.get(), link.Ring, length,
                                                              blockAddOne, link.ReadBackBuffer, progress,
                                                              Limits(link)));
    result.Command = LinkCommand::ReadBack;
    if (!result.Ok())
        return result;
    const int offset = FirstDifference(link.ImageBuffer, link.ReadBackBuffer, length);
    if (offset >= 0) {
        result.Status = LinkStatus::ImageDiffers;
        result.ImageOffset = offset;
    }
    return result;
}

void RequestCancel(DeviceLink& link) { link.CancelRequested.store(true, std::memory_order_release); }

void ClearCancel(DeviceLink& link) { link.CancelRequested.store(false, std::memory_order_release); }

} // namespace korvo
