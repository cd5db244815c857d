// korvo-cli: the controller and the scene files from the shell. Reads, sends,
// verifies, dumps, converts and compares the four scenes without the window.

#include "korvo/Version.h"
#include "tools/cli/CliError.h"
#include "tools/cli/DeviceCommands.h"
#include "tools/cli/FileCommands.h"
#include "tools/cli/StartupFiles.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iostream>

namespace korvo::cli {

namespace {

struct SceneOptions {
    std::string defaults;
    std::string notes;
    std::string base;
    bool quiet = false;

    SceneContext Context() const
    {
        SceneContext context;
        context.params = LoadDefaultParams(defaults);
        context.notes = LoadNoteNames(notes);
        context.baseFile = base;
        context.quiet = quiet;
        return context;
    }
};

// The options every subcommand on scenes takes.
void AddSceneOptions(CLI::App& command, SceneOptions& o)
{
    command.add_option("--defaults", o.defaults,
                       "DefPara.ini to use (default: ./DefPara.ini, else the shipped one): the default scenes and "
                       "SceneDataLen and BlockAddOne for transfers")
        ->type_name("FILE");
    command.add_option("--notes", o.notes, "NotePara.ini to use (default: ./NotePara.ini, else the shipped one)")
        ->type_name("FILE");
    command.add_option("--base", o.base,
                       "a .kvo or .json file whose scenes give every field a JSON file leaves out and that the "
                       "controller does not hold (default: the defaults)")
        ->type_name("FILE");
    command.add_flag("-q,--quiet", o.quiet, "no progress and no success message on standard error");
}

int Run(int argc, char** argv)
{
    CLI::App app{"korvo-cli: read, send, verify, dump, convert and compare the scenes of the Korvo controller."};
    app.name("korvo-cli");
    app.set_version_flag("--version", std::string("korvo-cli ") + KorvoVersion);
    app.require_subcommand(1);
    app.footer("Exit status: 0 done, 1 differences (diff) or a failed transfer, 2 usage or an unusable file,\n"
               "3 controller or MIDI service not found, 4 verify found a difference.\n"
               "See korvo-cli(1) and docs/scene-json.md for the JSON form.");

    std::function<int()> run;
    SceneOptions o;
    std::string in, out, a, b;
    bool force = false, verify = false, json = false;
    int scene = 0;

    auto* ports = app.add_subcommand("ports", "List the MIDI service and its outputs and inputs, numbered as the "
                                              "search for the controller tries them");
    ports->callback([&] { run = [] { return RunPorts(); }; });

    auto* find = app.add_subcommand("find", "Search for the controller; print the output and input that answer");
    find->callback([&] { run = [] { return RunFind(); }; });

    auto* read = app.add_subcommand("read", "Read the controller's scenes into OUT (.kvo or .json)");
    read->add_option("OUT", out, "the file to write; its extension chooses the form")->type_name("")->required();
    read->add_flag("-f,--force", force, "replace OUT if it exists (the old file becomes the backup NAME.BAK)");
    AddSceneOptions(*read, o);
    read->callback([&] { run = [&] { return RunRead(o.Context(), out, force); }; });

    auto* send = app.add_subcommand("send", "Send the scenes of IN (.kvo or .json) to the controller");
    send->add_option("IN", in, "the scenes to send")->type_name("")->required();
    send->add_flag("--verify", verify, "read the scenes back and compare; a difference exits with status 4");
    AddSceneOptions(*send, o);
    send->callback([&] { run = [&] { return RunSend(o.Context(), in, verify); }; });

    auto* dump = app.add_subcommand("dump", "Print the scenes as text, one line per control");
    dump->add_option("FILE", in, "a .kvo or .json file, or device: for the controller")->type_name("")->required();
    dump->add_option("--scene", scene, "only this scene")->type_name("N")->check(CLI::Range(1, 4));
    dump->add_flag("--json", json, "print the JSON form instead");
    AddSceneOptions(*dump, o);
    dump->callback([&] { run = [&] { return RunDump(o.Context(), in, scene, json); }; });

    auto* convert = app.add_subcommand("convert", "Convert between .kvo and .json, by the extensions");
    convert->add_option("IN", in, "the file to read")->type_name("")->required();
    convert->add_option("OUT", out, "the file to write")->type_name("")->required();
    convert->add_flag("-f,--force", force, "replace OUT if it exists (the old file becomes the backup NAME.BAK)");
    AddSceneOptions(*convert, o);
    convert->callback([&] { run = [&] { return RunConvert(o.Context(), in, out, force); }; });

    auto* diff = app.add_subcommand("diff", "Print the differences between two sets of scenes, control by control; "
                                            "exit status 0 when they are the same, 1 when they differ");
    diff->add_option("A", a, "a .kvo or .json file, or device: for the controller")->type_name("")->required();
    diff->add_option("B", b, "the same")->type_name("")->required();
    AddSceneOptions(*diff, o);
    diff->callback([&] { run = [&] { return RunDiff(o.Context(), a, b); }; });

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? ExitDone : ExitUsage;
    }
    return run();
}

} // namespace

} // namespace korvo::cli

int main(int argc, char** argv)
{
    try {
        return korvo::cli::Run(argc, argv);
    } catch (const korvo::cli::CliError& e) {
        std::cerr << "korvo-cli: " << e.what() << "\n";
        return e.Status();
    } catch (const std::exception& e) {
        std::cerr << "korvo-cli: " << e.what() << "\n";
        return korvo::cli::ExitFailed;
    }
}
