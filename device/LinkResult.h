#pragma once
// How a search or a transfer ended, and why it failed: one result for the window
// and the command line, with one sentence per reason.

#include <string>

namespace korvo {

enum class LinkStatus {
    Ok,
    NoMidiService,        // neither the ALSA sequencer nor JACK could be opened
    DeviceNotFound,       // no port pair answered the handshake
    NoCommandReply,       // nothing came back to CmdRead or CmdWrite
    NoReply,              // no reply to byte request Request of Requests
    WrongEcho,            // the first answer to CmdRead or CmdWrite was something else
    NoBlocks,             // the block information and BlockAddOne leave nothing to read
    UnaskedMessage,       // a message arrived that no request asked for
    NoAcknowledgement,    // nothing came back after block Request of Requests
    WrongAcknowledgement, // something else came back after that block
    PortGone,             // the controller's port is no longer on the MIDI service
    ServiceStopped,       // the MIDI service itself went away
    SendRefused,          // the MIDI service did not take message Request of the transfer
    Cancelled,
    ImageDiffers,         // after a verified send: the first differing byte is ImageOffset
};

// The exchange a result comes from.
enum class LinkCommand { Search, Read, Write, ReadBack };

struct LinkResult {
    LinkStatus Status = LinkStatus::Ok;
    LinkCommand Command = LinkCommand::Search;
    int Request = 0;     // from 1
    int Requests = 0;
    int ImageOffset = -1;

    bool Ok() const { return Status == LinkStatus::Ok; }
};

// The reason as one sentence, e.g. "No reply to request 600 of 1024."; empty for
// success.
std::string ReasonText(const LinkResult& result);

} // namespace korvo
