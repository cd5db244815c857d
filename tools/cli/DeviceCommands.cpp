#include "tools/cli/DeviceCommands.h"

#include "scene/DeviceImage.h"
#include "scene/ImagePlace.h"
#include "tools/cli/CliError.h"
#include "tools/cli/ControllerLink.h"
#include "tools/cli/Interrupt.h"
#include "tools/cli/Progress.h"

#include <iostream>

namespace korvo::cli {

namespace {

// Ends the command unless the link did what was asked.
void Require(LinkOutcome outcome, const char* failedText, const ControllerLink& link)
{
    switch (outcome) {
    case LinkOutcome::Done:
        if (InterruptRequested())
            throw CliError(ExitFailed, InterruptedText);
        return;
    case LinkOutcome::NotFound:
        throw CliError(ExitNotFound, DeviceNotFoundText);
    case LinkOutcome::NoService:
        throw CliError(ExitNotFound, NoServiceText);
    case LinkOutcome::Interrupted:
        throw CliError(ExitFailed, InterruptedText);
    case LinkOutcome::Failed:
        // The failure and, on a second line, its reason.
        throw CliError(ExitFailed, link.Reason().empty() ? std::string(failedText)
                                                         : std::string(failedText) + "\n" + link.Reason());
    }
}

LinkOutcome Transfer(const char* stage, bool quiet, auto run)
{
    ProgressDisplay display(stage, quiet);
    return run([&display](int percent) { display.Show(percent); });
}

void Say(const SceneContext& context, const std::string& text)
{
    if (!context.quiet)
        std::cerr << text << "\n";
}

} // namespace

int RunPorts()
{
    const PortList ports = ListPorts();
    if (!ports.serviceAvailable)
        throw CliError(ExitNotFound, NoServiceText);
    std::cout << "MIDI service: " << ports.service << "\n";
    auto list = [](const char* title, const std::vector<std::string>& names) {
        std::cout << title << "\n";
        if (names.empty())
            std::cout << "  (none)\n";
        for (std::size_t i = 0; i < names.size(); ++i)
            std::cout << "  " << i << ": " << names[i] << "\n";
    };
    list("Outputs:", ports.outputs);
    list("Inputs:", ports.inputs);
    return ExitDone;
}

int RunFind()
{
    const InterruptGuard guard;
    ControllerLink link;
    Require(link.Find(), "", link);
    std::cout << "Korvo found: " << link.FoundPair() << "\n";
    return ExitDone;
}

SceneBank ReadController(const SceneContext& context)
{
    const InterruptGuard guard;
    ControllerLink link;
    Require(link.Find(), "", link);
    SceneBank bank = context.Base();
    // The bytes a short SceneDataLen leaves out come from the base as well.
    SceneImageBuffer image{};
    PackSceneImages(bank, image);
    Require(Transfer("Reading scene data", context.quiet,
                     [&](auto progress) {
                         return link.Read(SceneDataLen(context.params), BlockAddOne(context.params), image, progress);
                     }),
            ReadFailedText, link);
    UnpackSceneImages(bank, image);
    return bank;
}

int RunRead(const SceneContext& context, const std::string& out, bool force)
{
    KindOfSource(out, false);
    CheckOutput(out, force);
    const SceneBank bank = ReadController(context);
    SaveSceneFile(out, bank, context.notes);
    Say(context, std::string(ReadOkText) + " The scenes are in " + out + ".");
    return ExitDone;
}

int RunSend(const SceneContext& context, const std::string& in, bool verify)
{
    const SceneBank bank = LoadSceneFile(in, context);
    const std::int32_t sceneDataLen = SceneDataLen(context.params);

    const InterruptGuard guard;
    ControllerLink link;
    Require(link.Find(), "", link);
    SceneImageBuffer sent{};
    PackSceneImages(bank, sent);
    Require(Transfer("Sending scene data", context.quiet,
                     [&](auto progress) { return link.Send(sceneDataLen, sent, progress); }),
            SendFailedText, link);
    if (!verify) {
        Say(context, SendOkText);
        return ExitDone;
    }

    SceneImageBuffer held{};
    Require(Transfer("Verifying", context.quiet,
                     [&](auto progress) {
                         return link.Read(sceneDataLen, BlockAddOne(context.params), held, progress);
                     }),
            "Send data OK, but reading it back failed.", link);
    const std::int32_t length = TransferredBytes(sceneDataLen);
    for (std::int32_t n = 0; n < length; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (held[i] != sent[i])
            throw CliError(ExitVerify, "Verify failed at " + DescribeImagePlace(n) + ": the controller holds " +
                                           std::to_string(held[i]) + " where " + std::to_string(sent[i]) +
                                           " was sent (image byte " + std::to_string(n) + ").");
    }
    Say(context, std::string(SendOkText) + " The controller holds the sent scenes.");
    return ExitDone;
}

} // namespace korvo::cli
