#include "device/DeviceLink.h"

#include "device/ProtocolMessages.h"
#include "device/ReceiveSceneData.h"
#include "device/ReplyWait.h"
#include "device/TransmitSceneData.h"

namespace korvo {

DeviceLink::DeviceLink(std::unique_ptr<MidiPorts> ports) : Ports(std::move(ports))
{
    PreparePolling();
}

int FindDevice(DeviceLink& link)
{
    if (!link.Ports)
        return 1;
    return FindDevice(*link.Ports, link.Handles, link.Ring, IdentityReply);
}

int ReceiveSceneData(DeviceLink& link, std::int32_t length, std::int32_t blockAddOne, const TransferProgress& progress)
{
    return ReceiveSceneData(link.Handles.MidiOutHandle.get(), link.Ring, length, blockAddOne, link.ImageBuffer,
                            progress);
}

int TransmitSceneData(DeviceLink& link, std::int32_t length, const TransferProgress& progress)
{
    return TransmitSceneData(link.Handles.MidiOutHandle.get(), link.Ring, length, link.ImageBuffer, progress);
}

} // namespace korvo
