#include "device/FindDevice.h"

#include "device/ProtocolMessages.h"
#include "device/ReplyWait.h"

namespace korvo {

namespace {

bool PairAnswers(MidiOutput& output, CaptureRing& ring, std::uint32_t expectedReply)
{
    if (!output.Send(CmdIdentify))
        return false;
    // Taken between the two messages of the handshake.
    const int mark = TakeMark(ring);
    if (!output.Send(IdentifyMarker))
        return false;
    if (!WaitForReplies(ring, mark, 2))
        return false;
    return ring.SlotAfter(mark, 0) == CmdIdentify && ring.SlotAfter(mark, 1) == expectedReply;
}

} // namespace

int FindDevice(MidiPorts& ports, DeviceHandles& handles, CaptureRing& ring, std::uint32_t expectedReply)
{
    const int outputs = ports.OutputCount();
    const int inputs = ports.InputCount();
    for (int i = 0; i < outputs; ++i) {
        handles.MidiOutHandle.reset();
        handles.MidiOutHandle = ports.OpenOutput(i);
        if (!handles.MidiOutHandle)
            continue;
        for (int j = 0; j < inputs; ++j) {
            handles.MidiInHandle.reset();
            handles.MidiInHandle =
                ports.OpenInput(j, [&ring](MidiInEvent event, std::uint32_t message) { MidiInCallback(ring, event, message); });
            if (!handles.MidiInHandle || !handles.MidiInHandle->Start())
                continue;
            if (PairAnswers(*handles.MidiOutHandle, ring, expectedReply))
                return 0;
        }
    }
    if (handles.MidiOutHandle)
        handles.MidiOutHandle->Send(CmdEnd); // the result does not matter
    return 1;
}

} // namespace korvo
